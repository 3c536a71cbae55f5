#include "app/EditDialogFm.h"
#include "storage/InputChecks.h"
#include "storage/ScriptedPrompter.h"
#include "storage/dao/Errors.h"
#include "storage/records/Bank.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/Screenshots.h"
#include "tests/support/LedgerFixture.h"

#include <QApplication>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A small real dialog on the frame: a bank's name and memo.
class TBankDialogFm : public TEditDialogFm {
public:
    explicit TBankDialogFm(QWidget* parent = nullptr)
        : TEditDialogFm(bank_, parent), edName(new QLineEdit(pnBody)),
          edMemo(new QLineEdit(pnBody)) {
        setWindowTitle(QStringLiteral("新添/修改金融机构"));
        edName->setObjectName(QStringLiteral("edName"));
        edMemo->setObjectName(QStringLiteral("edMemo"));
        auto* layout = new QFormLayout(pnBody);
        layout->addRow(QStringLiteral("名称"), edName);
        layout->addRow(QStringLiteral("说明"), edMemo);
    }

    using TEditDialogFm::btnClose;
    using TEditDialogFm::btnSaveClose;
    using TEditDialogFm::btnSaveNew;
    QLineEdit* edName;
    QLineEdit* edMemo;
    QStringList calls;
    bool failSave = false;
    // What the core says to the save; it has shown the message itself.
    TChecked refusal;

protected:
    bool SaveRecord() override {
        calls << QStringLiteral("Save");
        if (failSave) {
            throw EOleException(QStringLiteral("磁盘已满"));
        }
        if (refusal) {
            ShowError(refusal->message);
            return !Refused(refusal);
        }
        return TEditDialogFm::SaveRecord();
    }
    void SetUp(int id, int parameter) override {
        calls << QStringLiteral("SetUp %1 %2").arg(id).arg(parameter);
    }
    void PrepareNew() override {
        TEditDialogFm::PrepareNew();
        calls << QStringLiteral("PrepareNew");
        edName->clear();
        edMemo->clear();
    }
    void FocusFirst() override {
        calls << QStringLiteral("FocusFirst");
        edName->setFocus();
    }
    bool Validate() override {
        calls << QStringLiteral("Validate");
        return InputChecks::CheckNotEmpty(QStringLiteral("名称"), edName->text());
    }
    void ShowRecord() override {
        calls << QStringLiteral("ShowRecord");
        edName->setText(bank_.Name);
        edMemo->setText(bank_.Memo);
    }
    void StoreRecord() override {
        calls << QStringLiteral("StoreRecord");
        bank_.Name = edName->text();
        bank_.Memo = edMemo->text();
    }

private:
    TBank bank_;
};

class EditDialogFmTest : public LedgerTest {
protected:
    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
    TModalDriver driver_;
};

} // namespace

TEST_F(EditDialogFmTest, SaveAndNewStartsAgainAndSaveAndCloseReturnsTheSavedId) {
    QStringList calls;
    QStringList afterNew;
    driver_.WhenShown<TBankDialogFm>([&](TBankDialogFm& dialog) {
        EXPECT_EQ(dialog.btnSaveNew->text(), QStringLiteral("保存并新添 &N"));
        EXPECT_EQ(dialog.btnSaveClose->text(), QStringLiteral("保存并关闭 &S"));
        EXPECT_EQ(dialog.btnClose->text(), QStringLiteral("关闭 &C"));
        dialog.edName->setText(QStringLiteral("工商银行"));
        dialog.edMemo->setText(QStringLiteral("东门支行"));
        Screenshots::Save(dialog.grab(), QStringLiteral("EditDialogFm.png"));
        dialog.calls.clear();
        dialog.btnSaveNew->click();
        afterNew = dialog.calls;
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(dialog.edName->text().isEmpty());
        EXPECT_TRUE(dialog.edMemo->text().isEmpty());

        dialog.edName->setText(QStringLiteral("农业银行"));
        dialog.btnSaveClose->click();
        calls = dialog.calls;
    });
    int id = -1;
    EXPECT_TRUE(TEditDialogFm::Execute<TBankDialogFm>(id, 7));
    EXPECT_EQ(afterNew, QStringList({"Validate", "StoreRecord", "Save", "PrepareNew", "SetUp -1 7",
                                     "FocusFirst"}));
    EXPECT_EQ(calls.mid(afterNew.size()), QStringList({"Validate", "StoreRecord", "Save"}));
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 2);
    EXPECT_EQ(Value(QStringLiteral("SELECT Name AS V FROM TbBank WHERE Id=%1").arg(id)),
              QStringLiteral("农业银行"));
    EXPECT_TRUE(prompter_.Messages().isEmpty());
}

TEST_F(EditDialogFmTest, EditingShowsTheRecordAndCloseSavesNothing) {
    dm_->ExecSql(QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES (\"建设银行\",\"老账户\")"));
    const int existing = Value(QStringLiteral("SELECT Max(Id) AS V FROM TbBank")).toInt();

    QStringList calls;
    driver_.WhenShown<TBankDialogFm>([&](TBankDialogFm& dialog) {
        calls = dialog.calls;
        EXPECT_EQ(dialog.edName->text(), QStringLiteral("建设银行"));
        dialog.edName->setText(QStringLiteral("改了名"));
        dialog.btnClose->click();
    });
    int id = existing;
    EXPECT_FALSE(TEditDialogFm::Execute<TBankDialogFm>(id));
    EXPECT_EQ(id, existing);
    EXPECT_EQ(calls, QStringList({"SetUp " + QString::number(existing) + " 0", "ShowRecord",
                                  "FocusFirst"}));
    EXPECT_EQ(Value(QStringLiteral("SELECT Name AS V FROM TbBank")), QStringLiteral("建设银行"));

    driver_.WhenShown<TBankDialogFm>([&](TBankDialogFm& dialog) {
        dialog.edMemo->setText(QStringLiteral("新账户"));
        dialog.btnSaveClose->click();
    });
    EXPECT_TRUE(TEditDialogFm::Execute<TBankDialogFm>(id));
    EXPECT_EQ(id, existing);
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Memo AS V FROM TbBank")), QStringLiteral("新账户"));
}

TEST_F(EditDialogFmTest, AFailedCheckOrSaveKeepsTheDialogOpenWithWhatWasTyped) {
    bool stayedOpen = false;
    driver_.WhenShown<TBankDialogFm>([&](TBankDialogFm& dialog) {
        dialog.btnSaveClose->click();
        dialog.edName->setText(QStringLiteral("招商银行"));
        dialog.failSave = true;
        dialog.btnSaveNew->click();
        dialog.btnSaveClose->click();
        stayedOpen = dialog.isVisible() && dialog.edName->text() == QStringLiteral("招商银行");
        QTest::keyClick(dialog.edName, Qt::Key_Escape);
    });
    int id = -1;
    EXPECT_FALSE(TEditDialogFm::Execute<TBankDialogFm>(id));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Error),
              QStringList({QStringLiteral("“\"名称\"”输入不能为空，请输入。"),
                           QStringLiteral("磁盘已满"), QStringLiteral("磁盘已满")}));
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 0);
}

TEST_F(EditDialogFmTest, ARefusalFocusesItsFieldAndKeepsTheDialogOpen) {
    QString focused;
    QString selected;
    QStringList typed;
    bool stayedOpen = false;
    bool openAfterUnnamed = false;
    driver_.WhenShown<TBankDialogFm>([&](TBankDialogFm& dialog) {
        dialog.edName->setText(QStringLiteral("招商银行"));
        dialog.edMemo->setText(QStringLiteral("重复的说明"));
        dialog.refusal = TRefusal{QStringLiteral("edMemo"), QStringLiteral("说明已被使用。")};
        dialog.btnSaveClose->click();
        focused =
            QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        selected = dialog.edMemo->selectedText();
        typed = {dialog.edName->text(), dialog.edMemo->text()};
        stayedOpen = dialog.isVisible();

        // A refusal naming no field (or one the dialog lacks) still keeps it open.
        dialog.refusal = TRefusal{QString(), QStringLiteral("此记录已经不存在。")};
        dialog.btnSaveNew->click();
        dialog.refusal = TRefusal{QStringLiteral("edNothing"), QStringLiteral("不对。")};
        dialog.btnSaveClose->click();
        openAfterUnnamed =
            dialog.isVisible() && dialog.edName->text() == QStringLiteral("招商银行");
        dialog.btnClose->click();
    });
    int id = -1;
    EXPECT_FALSE(TEditDialogFm::Execute<TBankDialogFm>(id));
    EXPECT_EQ(focused, QStringLiteral("edMemo"));
    EXPECT_EQ(selected, QStringLiteral("重复的说明"));
    EXPECT_EQ(typed, QStringList({QStringLiteral("招商银行"), QStringLiteral("重复的说明")}));
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(openAfterUnnamed);
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Error),
              QStringList({QStringLiteral("说明已被使用。"), QStringLiteral("此记录已经不存在。"),
                           QStringLiteral("不对。")}));
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 0);
}
