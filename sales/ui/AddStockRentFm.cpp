#include "sales/ui/AddStockRentFm.h"

#include "app/kit/DigitEdit.h"
#include "app/kit/GridFooter.h"
#include "app/kit/MoneyEdit.h"
#include "storage/TextFormats.h"

#include <QLineEdit>

namespace {

enum { NumberColumn = 3, PriceColumn = 4 };

} // namespace

TAddStockRentFm::TAddStockRentFm(QWidget* parent) : TStockInFm(stock_, parent) {
    setWindowTitle(QStringLiteral("出租进货"));
    setObjectName(QStringLiteral("AddStockRentFm"));
    Build(stock_, TTitleFields::TKind::Rent);
}

void TAddStockRentFm::AddEntryFields() {
    edAmount = new TDigitEdit(pnCd);
    edAmount->setObjectName(QStringLiteral("edAmount"));
    edAmount->setToolTip(QStringLiteral("购买的连续剧的集数或者的套数"));
    pnCd->AddField(QStringLiteral("集数/套数"), edAmount);
    edSplit = new QLineEdit(pnCd);
    edSplit->setObjectName(QStringLiteral("edSplit"));
    edSplit->setMaxLength(1);
    edSplit->setToolTip(QStringLiteral("连续剧编号的分隔符号,为空将产生连续编号"));
    pnCd->AddField(QStringLiteral("分隔"), edSplit);
}

void TAddStockRentFm::ShowEntry() {
    const TStockRentEntry entry = stock_.Entry();
    pnCd->Show(entry);
    edAmount->setText(entry.amount);
    edSplit->setText(entry.split);
}

TChecked TAddStockRentFm::SubmitEntry(int supplier) {
    TStockRentEntry entry;
    static_cast<TTitleRentEntry&>(entry) = pnCd->RentEntry();
    entry.amount = edAmount->text();
    entry.split = edSplit->text();
    return stock_.SubmitEntry(entry, supplier);
}

void TAddStockRentFm::ShowTotals() {
    ftStock->SetCell(NumberColumn, QStringLiteral("总数:%1").arg(stock_.NumberSum()));
    ftStock->SetCell(PriceColumn,
                     QStringLiteral("合计:") + TextFormats::MoneyText(stock_.PriceSum()));
    edSum->SetValue(stock_.PriceSum());
}
