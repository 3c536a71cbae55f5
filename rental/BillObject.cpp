#include "rental/BillObject.h"

#include "rental/ReceiptText.h"
#include "storage/Clock.h"
#include "storage/JetDate.h"
#include "storage/TextFormats.h"
#include "storage/records/Associator.h"
#include "storage/records/Operator.h"
#include "storage/records/ShopInfo.h"

using ReceiptText::Pad;
using ReceiptText::PadTo;

namespace {

const int PaperWidth = 32;
// Where the right-hand item of a header line starts.
const int HeaderColumn = 18;
// Where a title's name starts after its code.
const int NameColumn = 12;
// Member type charging kind: rent is taken from the prepaid balance.
const int PrepaidRentFee = 5;

} // namespace

TBillObject::TBillObject(const TPrinter& printer, const TShopInfo& shop, const TOperator& cashier)
    : Printer(printer), shop_(shop), cashier_(cashier) {}

bool TBillObject::Print() {
    stopped_ = false;
    Header();
    Body();
    Footer();
    return !stopped_;
}

void TBillObject::Line(const QString& text, bool emphasised) {
    if (!stopped_) {
        stopped_ = !Printer.PrintLine(ReceiptText::Printable(text), emphasised);
    }
}

void TBillObject::Rule() {
    Line(QString(PaperWidth, u'='));
}

void TBillObject::TitleHeading() {
    Rule();
    Line(QStringLiteral("影片编号    影片名称"));
}

void TBillObject::TitleLine(const QString& code, const QString& name) {
    Line(PadTo(code, NameColumn) + name);
}

void TBillObject::NoteLine() {
    if (!Note.trimmed().isEmpty()) {
        Line(QStringLiteral("说明:") + Note);
    }
}

void TBillObject::Header() {
    // Centred, the halving rounded half to even.
    const qint64 indent = RoundHalfEven((PaperWidth - ReceiptText::Width(shop_.Name)) / 2.0L);
    Line(Pad(int(indent)) + shop_.Name, true);
    Rule();
    Line(PadTo(QStringLiteral("小票号:") + BillNo, HeaderColumn) + QStringLiteral("收款:") +
         cashier_.Name);
    Line(PadTo(QStringLiteral("日期:") + JetDate::ShortText(TClock::Today()), HeaderColumn) +
         QStringLiteral("时间:") + TClock::Now().toString(QStringLiteral("hh:mm:ss")));
    MemberBlock();
}

void TBillObject::MemberBlock() {
    TAssociator member;
    if (RenterId <= 0 || stopped_ || !member.LoadById(RenterId)) {
        return;
    }
    Rule();
    const QString left = PadTo(QStringLiteral("会员号:") + member.Code, HeaderColumn);
    if (member.AtorType.Fee == PrepaidRentFee) {
        Line(left + QStringLiteral("余额:") + TextFormats::MoneyText(member.Balance));
    } else {
        Line(left + QStringLiteral("部数:") + TextFormats::MoneyText(member.Number));
    }
}

void TBillObject::Footer() {
    Line(QStringLiteral("============谢谢惠顾============"));
    Line(Pad(8) + QStringLiteral("电话:") + shop_.Telephone);
    Line(QStringLiteral("地址:") + shop_.Address);
    for (int i = 0; i < 3; ++i) {
        Line(QString());
    }
}
