#include "members/ui/ParentCombo.h"

TParentCombo::TParentCombo(CategoryParents::TTree tree, QWidget* parent)
    : QComboBox(parent), tree_(tree) {
    setObjectName(QStringLiteral("cbSubId"));
}

void TParentCombo::Fill(int id) {
    clear();
    for (const CategoryParents::TChoice& choice : CategoryParents::Choices(tree_, id)) {
        addItem(choice.name, choice.id);
    }
    setCurrentIndex(0);
}

void TParentCombo::ChooseId(int id) {
    setCurrentIndex(qMax(0, findData(id)));
}
