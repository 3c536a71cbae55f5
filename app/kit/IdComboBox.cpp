#include "app/kit/IdComboBox.h"

#include "app/kit/EngineCall.h"
#include "storage/dao/DM.h"

TIdComboBox::TIdComboBox(QWidget* parent) : QComboBox(parent) {}

void TIdComboBox::Fill(const QString& sql) {
    TIdList items;
    EngineCall::Run([&] { TDM::Instance().FillIdList(items, sql); });
    clear();
    for (const TIdItem& item : items) {
        addItem(item.Text, item.Id);
    }
    setCurrentIndex(items.isEmpty() ? -1 : 0);
}

bool TIdComboBox::ChooseId(int id) {
    const int index = findData(id);
    if (index < 0) {
        return false;
    }
    setCurrentIndex(index);
    return true;
}

void TIdComboBox::ChooseIdOrNone(int id) {
    if (!ChooseId(id)) {
        setCurrentIndex(-1);
    }
}

int TIdComboBox::ChosenId() const {
    return currentIndex() < 0 ? 0 : currentData().toInt();
}
