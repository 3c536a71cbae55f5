#include "app/kit/MoneyEdit.h"
#include "rental/RentObject.h"
#include "rental/ui/PunishFm.h"
#include "storage/Clock.h"
#include "tests/app/SessionFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// Scripted answers for every message, the real dialog for the late penalty,
// as the desk's prompter shows it.
class TDeskPrompter : public TScriptedPrompter {
public:
    std::optional<QString> Penalty(const TPenaltyRequest& request) override {
        return TPunishFm::Ask(request);
    }
};

// A member of a type that deducts units rents a disc and brings it back two
// days later than the type allows.
class LateReturnTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        deskScope_ = std::make_unique<TPrompterScope>(desk_);
        LogIn(Admin);
        engine_ = std::make_unique<TRentObject>(session_->Printer, session_->ShopInfo,
                                                session_->Operator);
        ASSERT_TRUE(engine_->EnterMember(Member));
        engine_->EnterCode(Disc);
        engine_->CommitRent();
        engine_->Reset();
        units_ = Units();
        const int days = Read(QStringLiteral("SELECT T.Days AS V FROM TbAssociator AS A, "
                                             "TbAtorType AS T WHERE A.AId=T.Id AND A.Code=\"%1\"")
                                  .arg(Member))
                             .toInt();
        TClock::SetToday(TClock::Today().addDays(days + 2));
    }

    void TearDown() override {
        engine_.reset();
        deskScope_.reset();
        SessionTest::TearDown();
    }

    QString Read(const QString& sql) { return session_->Dm.SqlFieldText(sql, QStringLiteral("V")); }
    double Units() {
        return Read(QStringLiteral("SELECT Number AS V FROM TbAssociator WHERE Code=\"%1\"")
                        .arg(Member))
            .toDouble();
    }

    static inline const QString Member = QStringLiteral("1003");
    static inline const QString Disc = QStringLiteral("00010");
    TDeskPrompter desk_;
    std::unique_ptr<TPrompterScope> deskScope_;
    std::unique_ptr<TRentObject> engine_;
    double units_ = 0;
};

TEST_F(LateReturnTest, TheDialogShowsTheProposalAndTheConfirmedUnitsAreDeducted) {
    QStringList shown;
    driver_.WhenShown<TPunishFm>([&](TPunishFm& dialog) {
        shown << dialog.lbCode->text() << dialog.lbDays->text() << dialog.lbText->text()
              << dialog.edNum->text();
        QTest::keyClicks(dialog.edNum, QStringLiteral("3"));
        dialog.btnSaveClose->click();
    });
    engine_->EnterCode(Disc);
    engine_->CommitReturn();
    EXPECT_EQ(shown, QStringList({QStringLiteral("[1003]张伟"), QStringLiteral("2 天"),
                                  QStringLiteral("扣减部数："), QStringLiteral("2")}));
    EXPECT_EQ(Units(), units_ - 3);
}

TEST_F(LateReturnTest, CancellingTheDialogAppliesNoPenalty) {
    driver_.WhenShown<TPunishFm>(
        [](TPunishFm& dialog) { QTest::keyClick(dialog.edNum, Qt::Key_Escape); });
    engine_->EnterCode(Disc);
    engine_->CommitReturn();
    EXPECT_EQ(driver_.Pending(), 0) << "the dialog showed";
    EXPECT_EQ(Units(), units_) << "the return itself leaves the units as they were";
}

} // namespace
