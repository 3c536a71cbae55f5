#include "storage/ActorPick.h"
#include "storage/dao/Format.h"
#include "tests/support/LedgerFixture.h"

#include <gtest/gtest.h>

namespace {

class ActorPickTest : public LedgerTest {
protected:
    void AddPlayer(const QString& name, const QString& spell) {
        dm_->ExecSql(SqlFormat("INSERT INTO TbPlayer (Name,Spell,Memo) VALUES (\"%s\",\"%s\",\"\")",
                               {name, spell}));
    }
};

const QStringList Names = {QStringLiteral("周星驰"), QStringLiteral("周润发"),
                           QStringLiteral("张曼玉")};

QString Tick(int index, const QString& text) {
    return TActorPick::Toggle(Names, index, true, text);
}

QString Untick(int index, const QString& text) {
    return TActorPick::Toggle(Names, index, false, text);
}

} // namespace

TEST(ActorPickRules, LettersLeaveOutIUAndV) {
    const QStringList& letters = TActorPick::Letters();
    EXPECT_EQ(letters.size(), 23);
    EXPECT_EQ(letters.join(QString()), QStringLiteral("ABCDEFGHJKLMNOPQRSTWXYZ"));
    EXPECT_EQ(TActorPick::LetterSql(QStringLiteral("Z")),
              QStringLiteral("SELECT Id,Name AS TXT FROM TbPlayer WHERE Spell LIKE \"Z*\""));
}

TEST(ActorPickRules, NamesInTheTextShowTicked) {
    EXPECT_TRUE(TActorPick::Ticked(Names[0], QStringLiteral("周润发,周星驰")));
    EXPECT_TRUE(TActorPick::Ticked(Names[0], QStringLiteral("主演周星驰等")));
    EXPECT_FALSE(TActorPick::Ticked(Names[2], QStringLiteral("周润发,周星驰")));
    EXPECT_FALSE(TActorPick::Ticked(QString(), QStringLiteral("周润发")));
}

TEST(ActorPickRules, TickingPutsTheNameInFront) {
    EXPECT_EQ(Tick(0, QString()), QStringLiteral("周星驰,"));
    EXPECT_EQ(Tick(1, QStringLiteral("周星驰,")), QStringLiteral("周润发,周星驰,"));
    // The list's last name comes without a comma.
    EXPECT_EQ(Tick(2, QStringLiteral("黎明")), QStringLiteral("张曼玉黎明"));
    EXPECT_EQ(Tick(2, QString()), QStringLiteral("张曼玉"));
    // A name the text holds already is not put in twice.
    EXPECT_EQ(Tick(0, QStringLiteral("黎明,周星驰")), QStringLiteral("黎明,周星驰"));
    EXPECT_EQ(Tick(3, QStringLiteral("黎明")), QStringLiteral("黎明"));
}

TEST(ActorPickRules, UntickingTakesOutTheFirstOccurrence) {
    EXPECT_EQ(Untick(0, QStringLiteral("周润发,周星驰,黎明")), QStringLiteral("周润发,黎明"));
    EXPECT_EQ(Untick(0, QStringLiteral("周星驰,周星驰,")), QStringLiteral("周星驰,"));
    EXPECT_EQ(Untick(2, QStringLiteral("张曼玉,周润发,")), QStringLiteral(",周润发,"));
    // Typed last, without its comma: the name goes, so its tick goes too.
    EXPECT_EQ(Untick(1, QStringLiteral("周星驰,周润发")), QStringLiteral("周星驰,"));
    EXPECT_FALSE(TActorPick::Ticked(Names[1], Untick(1, QStringLiteral("周星驰,周润发"))));
    EXPECT_EQ(Untick(1, QStringLiteral("黎明")), QStringLiteral("黎明"));
    // Ticking and unticking again gives back what was typed.
    const QString typed = QStringLiteral("黎明,");
    EXPECT_EQ(Untick(0, Tick(0, typed)), typed);
}

TEST_F(ActorPickTest, ALetterLoadsTheActorsWithThatInitial) {
    AddPlayer(QStringLiteral("周星驰"), QStringLiteral("ZXC"));
    AddPlayer(QStringLiteral("张曼玉"), QStringLiteral("ZMY"));
    AddPlayer(QStringLiteral("刘德华"), QStringLiteral("LDH"));
    AddPlayer(QStringLiteral("小z"), QStringLiteral("xz"));
    TActorPick pick;
    pick.Load(QStringLiteral("Z"));
    QStringList names = pick.Names();
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("周星驰"), QStringLiteral("张曼玉")}));
    pick.Load(QStringLiteral("A"));
    EXPECT_TRUE(pick.Names().isEmpty());
}
