#include "storage/Settings.h"
#include "storage/dao/Errors.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Each test gets its own settings file through VINTOR_CONFIG.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = dir_.filePath(QStringLiteral("vintor.conf"));
        qputenv("VINTOR_CONFIG", file_.toUtf8());
    }
    void TearDown() override { qunsetenv("VINTOR_CONFIG"); }
    QString Stored(const QString& name) const {
        return QSettings(file_, QSettings::IniFormat).value(name).toString();
    }

    QTemporaryDir dir_;
    QString file_;
    TSettings settings_;
};

} // namespace

TEST_F(SettingsTest, AFirstStartReadsTheDefaultsAndStoresTheIntegers) {
    EXPECT_EQ(settings_.DefaultDb(), QString());
    EXPECT_EQ(settings_.BackupPath(), QString());
    EXPECT_FALSE(QFile::exists(file_)); // reading text creates nothing
    EXPECT_EQ(settings_.Beginer(), 0);
    EXPECT_EQ(settings_.ExitKind(), 1);
    EXPECT_EQ(settings_.ShowOption(), 4);
    EXPECT_EQ(Stored(QStringLiteral("Beginer")), QStringLiteral("0"));
    EXPECT_EQ(Stored(QStringLiteral("ExitKind")), QStringLiteral("1"));
    EXPECT_EQ(Stored(QStringLiteral("ShowOption")), QStringLiteral("4"));
}

TEST_F(SettingsTest, ValuesRoundTripAndAnIntegerStoredAsTextIsReset) {
    settings_.SetDefaultDb(QStringLiteral("/srv/店/data/账本.mdb"));
    settings_.SetBackupPath(QStringLiteral("/media/backup/"));
    settings_.SetExitKind(TSettings::ExitAsk);
    settings_.SetBeginer(1);
    settings_.SetShowOption(TSettings::ShowThisWeek);
    TSettings other; // nothing is cached: a second object sees the same values
    EXPECT_EQ(other.DefaultDb(), QStringLiteral("/srv/店/data/账本.mdb"));
    EXPECT_EQ(other.BackupPath(), QStringLiteral("/media/backup/"));
    EXPECT_EQ(other.ExitKind(), 2);
    EXPECT_EQ(other.Beginer(), 1);
    EXPECT_EQ(other.ShowOption(), 2);

    QSettings(file_, QSettings::IniFormat).setValue(QStringLiteral("ShowOption"), "weekly");
    EXPECT_EQ(settings_.ShowOption(), 4);
    EXPECT_EQ(Stored(QStringLiteral("ShowOption")), QStringLiteral("4"));
}

TEST_F(SettingsTest, PortsMapToDevicesUnlessConfigured) {
    EXPECT_EQ(settings_.PortDevice(QStringLiteral("COM1")), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(settings_.PortDevice(QStringLiteral("com4")), QStringLiteral("/dev/ttyS3"));
    EXPECT_EQ(settings_.PortDevice(QStringLiteral("LPT2")), QStringLiteral("/dev/lp1"));
    EXPECT_EQ(settings_.PortDevice(QStringLiteral("COM5")), QString());
    EXPECT_EQ(settings_.PortDevice(QStringLiteral("PRN")), QString());
    QSettings(file_, QSettings::IniFormat)
        .setValue(QStringLiteral("Ports/LPT1"), QStringLiteral("/dev/usb/lp0"));
    EXPECT_EQ(settings_.PortDevice(QStringLiteral("LPT1")), QStringLiteral("/dev/usb/lp0"));
}

TEST_F(SettingsTest, GridLayoutsAreKeptByGridName) {
    EXPECT_TRUE(settings_.GridLayout(QStringLiteral("dgRentCd")).isEmpty());
    settings_.SetGridLayout(QStringLiteral("dgRentCd"), QByteArray("\x01\x02layout", 8));
    settings_.SetGridLayout(QStringLiteral("dgFee"), QByteArray("fee"));
    EXPECT_EQ(settings_.GridLayout(QStringLiteral("dgRentCd")), QByteArray("\x01\x02layout", 8));
    EXPECT_EQ(settings_.GridLayout(QStringLiteral("dgFee")), QByteArray("fee"));
}

TEST_F(SettingsTest, AWriteThatCannotLandIsReported) {
    qputenv("VINTOR_CONFIG", dir_.filePath(QStringLiteral("missing/dir/vintor.conf")).toUtf8());
    QFile blocker(dir_.filePath(QStringLiteral("missing")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    EXPECT_THROW(settings_.SetDefaultDb(QStringLiteral("x")), EInOutError);
}
