#include "sales/ui/AddStockSaleFm.h"

#include "app/kit/EngineCall.h"
#include "app/kit/GridFooter.h"
#include "app/kit/MoneyEdit.h"
#include "storage/TextFormats.h"

#include <QLabel>
#include <QLineEdit>

namespace {

enum { NumberColumn = 3, PriceColumn = 4 };

} // namespace

TAddStockSaleFm::TAddStockSaleFm(QWidget* parent) : TStockInFm(stock_, parent) {
    setWindowTitle(QStringLiteral("销售进货"));
    setObjectName(QStringLiteral("AddStockSaleFm"));
    Build(stock_, TTitleFields::TKind::Sale);
    // Enter moves the focus on, so leaving the box covers both.
    connect(pnCd->edCode, &QLineEdit::editingFinished, this, &TAddStockSaleFm::LookUpCode);
}

void TAddStockSaleFm::AddEntryFields() {
    lbStock = new QLabel(pnCd);
    lbStock->setObjectName(QStringLiteral("lbStock"));
    pnCd->AddField(QStringLiteral("存货数量"), lbStock);
}

void TAddStockSaleFm::ShowEntry() {
    pnCd->Show(stock_.Entry());
    shownCode_ = pnCd->edCode->text();
    lbStock->clear();
}

void TAddStockSaleFm::LookUpCode() {
    // Only a changed code: the title's figures as shown or typed stay.
    const QString code = pnCd->edCode->text().trimmed();
    if (code == shownCode_) {
        return;
    }
    shownCode_ = code;
    bool found = false;
    EngineCall::Run([&] { found = stock_.LookUpCode(code); });
    if (!found) {
        // The stock shown belonged to the code before.
        lbStock->clear();
        return;
    }
    pnCd->Show(stock_.Entry());
    lbStock->setText(QString::number(stock_.Stock) + QStringLiteral("套"));
}

TChecked TAddStockSaleFm::SubmitEntry(int supplier) {
    return stock_.SubmitEntry(pnCd->SaleEntry(), supplier);
}

void TAddStockSaleFm::ShowTotals() {
    ftStock->SetCell(NumberColumn, QString::number(stock_.NumberSum()));
    ftStock->SetCell(PriceColumn, TextFormats::MoneyText(stock_.PriceSum()));
    edSum->SetValue(stock_.CostSum());
}
