#include "rental/BillRentObject.h"
#include "rental/DevicePort.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/records/Operator.h"
#include "storage/records/Printer.h"
#include "storage/records/ShopInfo.h"
#include "tools/vintorctl/Commands.h"
#include "tools/vintorctl/Options.h"

namespace {

TRTransaction SampleLine(const QString& code, const QString& name) {
    TRTransaction line;
    line.RentCd.Code = code;
    line.RentCd.Name = name;
    line.Selected = true;
    return line;
}

void FillSample(TBillRentObject& bill) {
    bill.AddLines({SampleLine(QStringLiteral("0001"), QStringLiteral("测试影片一")),
                   SampleLine(QStringLiteral("0002"), QStringLiteral("测试影片二"))});
    bill.Kind = TBillRentObject::RentalReceipt;
    bill.BillNo = QStringLiteral("0");
    bill.Amount1 = Currency::FromWhole(20);
    bill.Note = QStringLiteral("打印测试");
}

} // namespace

QString ReceiptTestUsage() {
    return QStringLiteral(
        "用法: vintorctl receipt-test PATH [--today YYYY-MM-DD]\n"
        "按账本 PATH 的“POS打印机”设置和店铺信息，向小票打印机发送一张测试小票；\n"
        "账本中没有开启小票打印时也照样发送。打印机不能写入时退出码为 1。\n"
        "  --today YYYY-MM-DD  小票上的日期取这一天\n");
}

// Sends a sample rental receipt with the ledger's shop data to the printer
// configured in the ledger, even while receipts are switched off there.
int RunReceiptTest(const QStringList& args, QTextStream& out, QTextStream& err) {
    TOptions options(args);
    if (options.Positional().size() != 1 || !options.ApplyToday(err)) {
        err << ReceiptTestUsage();
        return 2;
    }
    TDM dm;
    dm.DbBase.SetDatabaseName(options.Positional().front());
    TShopInfo shop;
    TPrinter printer;
    try {
        dm.DbBase.Open();
        shop.LoadById(1);
        printer.LoadById(1);
    } catch (const EVintorError& e) {
        err << e.Message() << "\n";
        return 2;
    }
    if (printer.OnOff != 1) {
        out << "INFO: 账本中的小票打印未开启，测试小票照样发送。\n";
        printer.OnOff = 1;
    }
    const TMessagePrinter messages(out);
    TOperator cashier;
    cashier.Name = QStringLiteral("测试");
    TBillRentObject bill(printer, shop, cashier);
    auto port = std::make_unique<TDevicePort>(printer);
    const TDevicePort& device = *port;
    bill.Printer.SetPort(std::move(port));
    FillSample(bill);
    if (!bill.Print()) {
        out << device.LastError() << "\n";
        return 1;
    }
    out << "已发送到 " << TDevicePort::DeviceOf(printer) << "\n";
    return 0;
}
