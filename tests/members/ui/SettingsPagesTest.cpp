#include "app/ChildFm.h"
#include "members/ui/ExitPage.h"
#include "members/ui/PrinterPage.h"
#include "members/ui/ShopPage.h"
#include "rental/ReceiptText.h"
#include "tests/app/Screenshots.h"
#include "tests/app/SessionFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

using Kind = TScriptedPrompter::Kind;

class SettingsPagesTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        LogIn(Admin);
    }
    // The page in a working window of the main window, as the settings window holds it.
    template <class TPage> TPage* HostPage() {
        auto* child = new TChildFm;
        auto* page = new TPage(child);
        (new QVBoxLayout(child))->addWidget(page);
        Host(child);
        return page;
    }
    QString Printer(const char* column) {
        return session_->Dm.SqlFieldText(
            QStringLiteral("SELECT %1 AS V FROM TbPrinter WHERE Id=1").arg(column),
            QStringLiteral("V"));
    }
    QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(SettingsPagesTest, ShopDataIsSavedIntoRowOneAndShownAtOnce) {
    auto* page = HostPage<TShopPage>();
    EXPECT_EQ(page->edName->text(), session_->ShopInfo.Name);
    page->edName->setText(QStringLiteral("新星影碟屋"));
    page->edTelphone->setText(QStringLiteral("0571-1234567"));
    page->btnShopSave->click();
    EXPECT_EQ(session_->Dm.SqlFieldText(
                  QStringLiteral("SELECT Name&\"|\"&Telephone AS V FROM TbShopInfo WHERE Id=1"),
                  QStringLiteral("V")),
              QStringLiteral("新星影碟屋|0571-1234567"));
    EXPECT_EQ(session_->ShopInfo.Name, QStringLiteral("新星影碟屋"));
    EXPECT_TRUE(window_->StatusPanel(3)->text().contains(QStringLiteral("新星影碟屋")));
}

TEST_F(SettingsPagesTest, PrinterSettingsRoundTripAndTheOtherPortKeepsItsValues) {
    const QString device = home_.Path(QStringLiteral("receipts.txt"));
    {
        TPrinterPage page;
        page.rbOn->setChecked(true);
        page.rbCom->setChecked(true);
        page.cbCom->setCurrentText(QStringLiteral("COM2"));
        page.cbSpeed->setCurrentText(QStringLiteral("2400"));
        page.cbCashBox->setChecked(true);
        page.cbDevice->setEditText(device);
        EXPECT_TRUE(page.Save());
    }
    EXPECT_EQ(Printer("OnOff&Port&Com&Speed&Lpt&CashBox"), QStringLiteral("10COM22400LPT11"));
    EXPECT_EQ(session_->Printer.Com, QStringLiteral("COM2"));
    EXPECT_EQ(session_->Settings.PortDevice(QStringLiteral("COM2")), device);

    TPrinterPage page;
    EXPECT_TRUE(page.rbOn->isChecked());
    EXPECT_TRUE(page.rbCom->isChecked());
    EXPECT_EQ(page.cbCom->currentText(), QStringLiteral("COM2"));
    EXPECT_EQ(page.cbSpeed->currentText(), QStringLiteral("2400"));
    EXPECT_TRUE(page.cbCashBox->isChecked());
    EXPECT_EQ(page.cbDevice->currentText(), device);

    // The parallel port: Com and Speed stay as they were.
    page.rbLpt->setChecked(true);
    EXPECT_EQ(page.cbDevice->currentText(), QStringLiteral("/dev/lp0")) << "LPT1's device";
    page.cbLPT->setCurrentText(QStringLiteral("LPT2"));
    page.rbOff->setChecked(true);
    page.cbCashBox->setChecked(false);
    EXPECT_TRUE(page.Save());
    EXPECT_EQ(Printer("OnOff&Port&Com&Speed&Lpt&CashBox"), QStringLiteral("01COM22400LPT20"));
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
}

TEST_F(SettingsPagesTest, TheTrialReceiptGoesToTheChosenPortEvenWithReceiptsOff) {
    auto* page = HostPage<TPrinterPage>();
    Screenshots::Save(window_->grab(), QStringLiteral("printer-page.png"));
    const QString device = home_.Path(QStringLiteral("trial.txt"));
    page->rbOff->setChecked(true);
    page->rbCom->setChecked(true);
    page->cbDevice->setEditText(device);
    page->btnPrintTest->click();
    const QByteArray printed = Read(device);
    EXPECT_TRUE(printed.contains(ReceiptText::Gbk(QStringLiteral("POS打印机测试小票"))));
    EXPECT_TRUE(printed.contains(ReceiptText::Gbk(session_->ShopInfo.Name)));
    EXPECT_EQ(session_->Printer.OnOff, 0) << "the trial does not switch receipts on";
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());

    page->cbDevice->setEditText(QStringLiteral("/dev/vintor-no-such-printer"));
    page->btnPrintTest->click();
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              QStringList{QStringLiteral("打印出错！请检查打印机是否连接正确。")})
        << "said once; the rest of the receipt is not sent";
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/dev/vintor-no-such-printer")));
}

TEST_F(SettingsPagesTest, TheBackupFolderIsStoredWithItsSeparatorAndMustExist) {
    const QString folder = home_.Path(QStringLiteral("usb"));
    ASSERT_TRUE(QDir().mkpath(folder));
    session_->Settings.SetExitKind(TSettings::ExitAsk);
    TExitPage page;
    EXPECT_EQ(page.cbExitKind->currentIndex(), TSettings::ExitAsk);

    for (const QString& chosen : {folder, folder + u'/'}) {
        chooser_.QueueAnswer(chosen);
        page.btnBrowse->click();
        EXPECT_EQ(page.lbPath->text(), folder + u'/');
    }
    page.cbExitKind->setCurrentIndex(TSettings::ExitBackUp);
    page.btnExitSave->click();
    EXPECT_EQ(session_->Settings.BackupPath(), folder + u'/');
    EXPECT_EQ(session_->Settings.ExitKind(), TSettings::ExitBackUp);

    chooser_.QueueAnswer(QString()); // cancelled: the folder stays
    page.btnBrowse->click();
    EXPECT_EQ(page.lbPath->text(), folder + u'/');

    page.lbPath->setText(home_.Path(QStringLiteral("gone")));
    page.cbExitKind->setCurrentIndex(TSettings::ExitQuietly);
    EXPECT_FALSE(page.Save());
    EXPECT_EQ(prompter_.Texts(Kind::Error).size(), 1);
    EXPECT_EQ(session_->Settings.BackupPath(), folder + u'/') << "nothing written";
    EXPECT_EQ(session_->Settings.ExitKind(), TSettings::ExitBackUp);
}
