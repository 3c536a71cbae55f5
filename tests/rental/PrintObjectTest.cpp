#include "rental/PrintObject.h"
#include "rental/DevicePort.h"
#include "storage/ScriptedPrompter.h"
#include "storage/records/Printer.h"
#include "tests/rental/CapturePort.h"
#include "tests/rental/ReceiptBytes.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace ReceiptBytes;

namespace {

const QString PrinterError = QStringLiteral("打印出错！请检查打印机是否连接正确。");

class PrintObjectTest : public ::testing::Test {
protected:
    PrintObjectTest() : scope_(prompter_) { printer_.OnOff = 1; }

    // A print object writing into capture_.
    std::unique_ptr<TPrintObject> Captured() {
        auto print = std::make_unique<TPrintObject>(printer_);
        print->SetPort(std::make_unique<TCapturePort>(capture_));
        return print;
    }

    TPrinter printer_;
    TCapture capture_;
    TScriptedPrompter prompter_;
    TPrompterScope scope_;
};

TEST_F(PrintObjectTest, SendsTheControlCodesAndGbkText) {
    auto print = Captured();
    EXPECT_TRUE(print->Send(QStringLiteral("影片A")));
    EXPECT_TRUE(print->ResetPrinter());
    EXPECT_TRUE(print->DoubleHeight());
    EXPECT_TRUE(print->PrintLine(QStringLiteral("租")));
    EXPECT_TRUE(print->PrintLine(QStringLiteral("店"), true));
    EXPECT_TRUE(print->OpenDrawer());
    const QByteArray expected = QByteArray("\xd3\xb0\xc6\xac"
                                           "A") +
                                "\x1b@" + "\x1b!\x10" + "\xd7\xe2\n" + "\x1b!\x10" + "\xb5\xea\n" +
                                "\x1b@" + QByteArray("\x1bp\x00\x32\xc8", 5);
    EXPECT_EQ(capture_.bytes, expected);
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(PrintObjectTest, WhileSwitchedOffNothingIsSentAndAllSucceeds) {
    for (int onOff : {0, 2}) {
        printer_.OnOff = onOff;
        capture_.failFrom = 1;
        auto print = Captured();
        EXPECT_TRUE(print->PrintLine(QStringLiteral("店"), true));
        EXPECT_TRUE(print->OpenDrawer());
        EXPECT_EQ(capture_.writes, 0);
    }
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(PrintObjectTest, AFailedWriteShowsTheErrorAndStopsTheLine) {
    capture_.failFrom = 1;
    auto print = Captured();
    EXPECT_FALSE(print->PrintLine(QStringLiteral("店"), true));
    EXPECT_EQ(capture_.writes, 1); // neither the text nor the reset follows
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Error), QStringList{PrinterError});
    EXPECT_EQ(prompter_.Messages().size(), 1);
}

// The device port, with the port names mapped to files or a pseudo terminal.
class DevicePortTest : public PrintObjectTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("VINTOR_CONFIG", dir_.filePath(QStringLiteral("vintor.conf")).toUtf8());
    }
    void TearDown() override { qunsetenv("VINTOR_CONFIG"); }

    void MapPort(const QString& port, const QString& device) {
        QSettings(dir_.filePath(QStringLiteral("vintor.conf")), QSettings::IniFormat)
            .setValue(QStringLiteral("Ports/") + port, device);
    }
    QByteArray FileBytes(const QString& name) const {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

TEST_F(DevicePortTest, TheParallelSettingWinsOverAFilledInSerialPort) {
    MapPort(QStringLiteral("LPT2"), dir_.filePath(QStringLiteral("lpt")));
    MapPort(QStringLiteral("COM1"), dir_.filePath(QStringLiteral("com")));
    printer_.Port = 1;
    printer_.Lpt = QStringLiteral("LPT2");
    printer_.Com = QStringLiteral("COM1");
    TPrintObject print(printer_);
    EXPECT_TRUE(print.PrintLine(QStringLiteral("一")));
    EXPECT_TRUE(print.PrintLine(QStringLiteral("二")));
    EXPECT_EQ(FileBytes(QStringLiteral("lpt")),
              Lines({QStringLiteral("一"), QStringLiteral("二")}));
    EXPECT_FALSE(QFile::exists(dir_.filePath(QStringLiteral("com"))));

    printer_.Port = 0;
    EXPECT_TRUE(print.Send(QStringLiteral("三")));
    EXPECT_EQ(FileBytes(QStringLiteral("com")), Gbk(QStringLiteral("三")));
    EXPECT_EQ(TDevicePort::DeviceOf(printer_), dir_.filePath(QStringLiteral("com")));
}

TEST_F(DevicePortTest, ADeviceThatCannotBeOpenedOrAnUnknownPortFails) {
    MapPort(QStringLiteral("LPT1"), dir_.filePath(QStringLiteral("no/such/dir/lp")));
    TDevicePort port(printer_);
    EXPECT_FALSE(port.Write("x"));
    EXPECT_TRUE(port.LastError().startsWith(dir_.filePath(QStringLiteral("no/such/dir/lp"))))
        << port.LastError().toStdString();

    MapPort(QStringLiteral("LPT1"), QStringLiteral("/dev/vintor-no-such-printer"));
    EXPECT_FALSE(port.Write("x"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/dev/vintor-no-such-printer")));

    printer_.Lpt = QStringLiteral("LPT7");
    EXPECT_TRUE(TDevicePort::DeviceOf(printer_).isEmpty());
    EXPECT_FALSE(port.Write("x"));
    EXPECT_EQ(port.LastError(), QStringLiteral("LPT7: 未知的端口名称"));
}

TEST_F(DevicePortTest, ASerialLineGetsTheSpeedAndPassesBytesUnchanged) {
    int master = -1;
    int slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    MapPort(QStringLiteral("COM2"), QString::fromLocal8Bit(ttyname(slave)));
    printer_.Port = 0;
    printer_.Com = QStringLiteral("COM2");
    printer_.Speed = QStringLiteral("4800");
    TPrintObject print(printer_);
    EXPECT_TRUE(print.PrintLine(QStringLiteral("租\r"), true));

    termios tio{};
    ASSERT_EQ(tcgetattr(slave, &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B4800));
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);

    QByteArray received;
    pollfd fds{master, POLLIN, 0};
    char buffer[64];
    while (poll(&fds, 1, 1000) > 0) {
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        received.append(buffer, n);
        if (received.endsWith("\x1b@")) {
            break;
        }
    }
    EXPECT_EQ(received, Emphasised(QStringLiteral("租\r")));
    close(slave);
    close(master);
}

} // namespace
