#include "storage/records/Printer.h"
#include "storage/records/ShopInfo.h"
#include "tests/rental/ReceiptBytes.h"
#include "tests/support/LedgerFixture.h"

#include <QFile>
#include <QProcess>
#include <QSettings>

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

using namespace ReceiptBytes;

namespace {

class ReceiptTestCommand : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        TShopInfo shop;
        shop.LoadById(1);
        shop.Name = QStringLiteral("影音小店");
        shop.Telephone = QStringLiteral("0571-8888");
        shop.Save();
        printer_.LoadById(1);
        printer_.OnOff = 1;
        printer_.Port = 0;
        printer_.Com = QStringLiteral("COM3");
        printer_.Save();
    }

    void MapCom3(const QString& device) {
        QSettings(Path(QStringLiteral("vintor.conf")), QSettings::IniFormat)
            .setValue(QStringLiteral("Ports/COM3"), device);
    }
    // Runs the command; its output.
    QString Run(int expectedRc) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VINTOR_CONFIG"), Path(QStringLiteral("vintor.conf")));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(VINTORCTL_PATH),
                      {QStringLiteral("receipt-test"), ledger_, QStringLiteral("--today"),
                       QStringLiteral("2024-06-15")});
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), expectedRc);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    QByteArray Sent() const {
        QFile file(Path(QStringLiteral("printer.out")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TPrinter printer_;
};

TEST_F(ReceiptTestCommand, SendsASampleReceiptWithTheShopDataToTheConfiguredPort) {
    MapCom3(Path(QStringLiteral("printer.out")));
    EXPECT_EQ(Run(0), QStringLiteral("已发送到 ") + Path(QStringLiteral("printer.out")) + "\n");
    const QByteArray sent = Sent();
    EXPECT_TRUE(sent.startsWith(Emphasised(Sp(12) + QStringLiteral("影音小店"))));
    EXPECT_TRUE(
        sent.contains(Lines({QStringLiteral("小票号:0") + Sp(10) + QStringLiteral("收款:测试")})));
    EXPECT_TRUE(sent.contains(Gbk(QStringLiteral("日期:2024-06-15   时间:"))));
    EXPECT_TRUE(sent.endsWith(Lines({Sp(8) + QStringLiteral("电话:0571-8888"),
                                     QStringLiteral("地址:"), QString(), QString(), QString()})));
}

TEST_F(ReceiptTestCommand, SendsEvenWhileReceiptsAreSwitchedOffAndSaysSo) {
    printer_.OnOff = 0;
    printer_.Save();
    MapCom3(Path(QStringLiteral("printer.out")));
    EXPECT_TRUE(Run(0).startsWith(QStringLiteral("INFO: ")));
    EXPECT_TRUE(Sent().endsWith("\n\n\n"));
}

TEST_F(ReceiptTestCommand, AnUnwritableDeviceGivesOneErrorAndTheReason) {
    const QString device = Path(QStringLiteral("no/such/dir/printer"));
    MapCom3(device);
    const QString out = Run(1);
    EXPECT_EQ(out, QStringLiteral("ERROR: 打印出错！请检查打印机是否连接正确。\n") + device + ": " +
                       QString::fromLocal8Bit(strerror(ENOENT)) + "\n");
}

} // namespace
