#include "members/PrinterTrial.h"

#include "rental/BillObject.h"
#include "storage/records/Printer.h"

namespace {

class TTrialReceipt : public TBillObject {
public:
    using TBillObject::TBillObject;
    void ClearLines() override {}

protected:
    void Body() override {
        Rule();
        Line(QStringLiteral("POS打印机测试小票"));
        Line(QStringLiteral("打印正常，可以使用。"));
    }
};

} // namespace

namespace PrinterTrial {

bool Print(const TPrinter& printer, const TShopInfo& shop, const TOperator& cashier) {
    TPrinter switchedOn = printer;
    switchedOn.OnOff = 1;
    TTrialReceipt receipt(switchedOn, shop, cashier);
    return receipt.Print();
}

} // namespace PrinterTrial
