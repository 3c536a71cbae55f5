#include "tests/rental/RentFixture.h"

#include "storage/Clock.h"
#include "storage/dao/DM.h"

namespace {

int LastId(TDM& dm, const char* table) {
    return dm
        .SqlFieldText(QStringLiteral("SELECT Max(Id) AS V FROM %1").arg(QLatin1String(table)),
                      QStringLiteral("V"))
        .toInt();
}

} // namespace

void RentTest::SetUp() {
    LedgerTest::SetUp();
    scope_ = std::make_unique<TPrompterScope>(prompter_);
    printer_.LoadById(1);
    shop_.LoadById(1);
    cashier_.LoadById(1);
    fee_ = AddFee("三天一元", "10", "1", "1", 3);
    engine_ = std::make_unique<TRentObject>(printer_, shop_, cashier_);
}

void RentTest::TearDown() {
    engine_.reset();
    scope_.reset();
    LedgerTest::TearDown();
}

int RentTest::AddFee(const char* name, const char* deposit1, const char* number1, const char* rent1,
                     int days1, const char* deposit2, const char* number2, const char* rent2,
                     int days2) {
    dm_->ExecSql(QStringLiteral("INSERT INTO TbFee (Name,Deposit1,Number1,Rent1,Days1,Deposit2,"
                                "Number2,Rent2,Days2) VALUES (\"%1\",%2,%3,%4,%5,%6,%7,%8,%9)")
                     .arg(QString::fromUtf8(name), deposit1, number1, rent1)
                     .arg(days1)
                     .arg(deposit2, number2, rent2)
                     .arg(days2));
    return LastId(*dm_, "TbFee");
}

int RentTest::AddType(const char* name, int tDay, const char* tSum, int tNum, int days, int fee,
                      int punish) {
    dm_->ExecSql(QStringLiteral("INSERT INTO TbAtorType (Name,T_Day,T_Sum,T_Num,Days,Fee,Punish,"
                                "Memo) VALUES (\"%1\",%2,%3,%4,%5,%6,%7,\"\")")
                     .arg(QString::fromUtf8(name))
                     .arg(tDay)
                     .arg(QLatin1String(tSum))
                     .arg(tNum)
                     .arg(days)
                     .arg(fee)
                     .arg(punish));
    return LastId(*dm_, "TbAtorType");
}

int RentTest::AddTitle(const QString& code, int fee, const char* power, int status) {
    dm_->ExecSql(QStringLiteral("INSERT INTO TbRentCd (Code,Name,Spell,Day,Alias1,Alias2,CId,FId,"
                                "Status,Director,Player,[Number],Price,Power,Memo) VALUES "
                                "(\"%1\",\"影片%1\",\"\",#2024-01-01#,\"\",\"\",1,%2,%3,\"\",\"\","
                                "1,20,%4,\"\")")
                     .arg(code)
                     .arg(fee)
                     .arg(status)
                     .arg(QLatin1String(power)));
    return LastId(*dm_, "TbRentCd");
}

int RentTest::AddMember(const QString& code, int type, const char* number, int daysLeft,
                        const char* balance) {
    dm_->ExecSql(
        QStringLiteral("INSERT INTO TbAssociator (Code,Name,Spell,AId,LastDay,[Number],Balance,"
                       "Deposit,Telephone,Address,Memo) VALUES (\"%1\",\"会员%1\",\"\",%2,%3,%4,"
                       "%5,0,\"\",\"\",\"\")")
            .arg(code)
            .arg(type)
            .arg(
                QStringLiteral("#%1#").arg(TClock::Today().addDays(daysLeft).toString(Qt::ISODate)))
            .arg(QLatin1String(number), QLatin1String(balance)));
    return LastId(*dm_, "TbAssociator");
}

QString RentTest::Dump() const {
    QString all;
    for (const char* table : {"TbRTransaction", "TbFTransaction", "TbRentCd", "TbAssociator"}) {
        dm_->OpenSql(QStringLiteral("SELECT * FROM %1 ORDER BY Id").arg(QLatin1String(table)));
        for (; !dm_->Q1.Eof(); dm_->Q1.Next()) {
            for (int i = 0; i < dm_->Q1.FieldCount(); ++i) {
                all += dm_->Q1.Fields(i).AsString() + u'|';
            }
            all += u'\n';
        }
        dm_->Q1.Close();
    }
    return all;
}
