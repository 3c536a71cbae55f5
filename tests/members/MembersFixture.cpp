#include "tests/members/MembersFixture.h"

#include "storage/Clock.h"
#include "storage/dao/DM.h"

void MembersTest::SetUp() {
    LedgerTest::SetUp();
    scope_ = std::make_unique<TPrompterScope>(prompter_);
    cashier_.LoadById(1);
}

void MembersTest::TearDown() {
    scope_.reset();
    LedgerTest::TearDown();
}

Currency MembersTest::Money(const char* text) {
    return Currency::Parse(QString::fromUtf8(text)).value();
}

int MembersTest::LastId(const char* table) {
    return Value(QStringLiteral("SELECT Max(Id) AS V FROM %1").arg(QLatin1String(table))).toInt();
}

QString MembersTest::Column(const char* table, int id, const char* column) {
    return Value(QStringLiteral("SELECT [%1] AS V FROM %2 WHERE Id=%3")
                     .arg(QLatin1String(column), QLatin1String(table))
                     .arg(id));
}

int MembersTest::AddType(const char* name, int tDay, const char* tSum, int tNum, int fee) {
    dm_->ExecSql(QStringLiteral("INSERT INTO TbAtorType (Name,T_Day,T_Sum,T_Num,Days,Fee,Punish,"
                                "Memo) VALUES (\"%1\",%2,%3,%4,0,%5,1,\"\")")
                     .arg(QString::fromUtf8(name))
                     .arg(tDay)
                     .arg(QLatin1String(tSum))
                     .arg(tNum)
                     .arg(fee));
    return LastId("TbAtorType");
}

int MembersTest::OpenMember(const QString& code, int type, const char* sum, const char* deposit) {
    TMemberStore::TOpeningFields fields;
    fields.code = code;
    fields.name = QStringLiteral("会员") + code;
    fields.typeId = type;
    fields.sum = QLatin1String(sum);
    fields.deposit = QLatin1String(deposit);
    const TStored<int> result = TMemberStore(cashier_).AddMember(fields);
    EXPECT_TRUE(result.Ok()) << result.Refusal().message.toStdString();
    return result.Value();
}

int MembersTest::InsertMember(const QString& code, int type, int daysLeft, const char* number) {
    dm_->ExecSql(
        QStringLiteral("INSERT INTO TbAssociator (Code,Name,Spell,AId,LastDay,[Number],Balance,"
                       "Deposit,Telephone,Address,Memo) VALUES (\"%1\",\"会员%1\",\"\",%2,#%3#,%4,"
                       "0,0,\"\",\"\",\"\")")
            .arg(code)
            .arg(type)
            .arg(TClock::Today().addDays(daysLeft).toString(Qt::ISODate))
            .arg(QLatin1String(number)));
    return LastId("TbAssociator");
}

int MembersTest::AddAccount(const QString& name) {
    dm_->ExecSql(QStringLiteral("INSERT INTO TbAccount (Name,[Max],[Min],[No],Bank,Contact,"
                                "Telephone,Memo) VALUES (\"%1\",0,0,\"\",\"\",\"\",\"\",\"\")")
                     .arg(name));
    return LastId("TbAccount");
}

QString MembersTest::Dump() {
    QString dump;
    for (const char* table :
         {"TbAssociator", "TbFTransaction", "TbAccount", "TbRTransaction", "TbRentCd"}) {
        TDAOQuery query(&dm_->DbBase);
        dm_->OpenSqlOn(query,
                       QStringLiteral("SELECT * FROM %1 ORDER BY Id").arg(QLatin1String(table)));
        for (; !query.Eof(); query.Next()) {
            for (int i = 0; i < query.FieldCount(); ++i) {
                dump += query.Fields(i).AsString() + u'|';
            }
            dump += u'\n';
        }
    }
    return dump;
}

void MembersTest::FailOn(const char* action, const char* table) {
    dm_->ExecSql(QStringLiteral("CREATE TRIGGER fail_%1_%2 BEFORE %1 ON %2 BEGIN SELECT "
                                "RAISE(ABORT, 'disk full'); END")
                     .arg(QLatin1String(action), QLatin1String(table)));
}
