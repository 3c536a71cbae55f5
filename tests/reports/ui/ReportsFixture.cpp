#include "tests/reports/ui/ReportsFixture.h"

#include "app/Session.h"
#include "storage/dao/Format.h"

#include <QLineEdit>
#include <QTest>

void ReportsTest::Bill(const QString& day, int member, int title, int kind, int state) {
    TDM& dm = TSession::Current().Dm;
    dm.ExecSql(
        Format(QStringLiteral("INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,"
                              "AId3,Sum1,Sum2,Memo) VALUES (#%s#,%d,0,1,1,1,0,%d,20,-5,\"\")"),
               {day, kind, member}));
    const QString fund = dm.SqlFieldText(QStringLiteral("SELECT Max(Id) AS V FROM TbFTransaction"),
                                         QStringLiteral("V"));
    dm.ExecSql(Format(QStringLiteral("INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,Deposit,"
                                     "Rent,Sn,CId2) VALUES (#%s#,#%s#,%d,%d,%s,20,5,%s,%d)"),
                      {day, day, member, title, fund, fund, state}));
}

void ReportsTest::TypeAndEnter(QWidget* box, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->clear();
    }
    box->setFocus();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

QStringList ReportsTest::Messages() {
    const QStringList texts = prompter_.AllTexts();
    prompter_.Clear();
    return texts;
}
