#include "storage/JetDate.h"
#include "storage/dao/DAOQuery.h"
#include "storage/dao/Errors.h"
#include "tests/support/LedgerFixture.h"

#include <QDate>

namespace {

class DAODatasetTest : public LedgerTest {
protected:
    void AddBanks(int count) {
        TDM::TTransaction transaction(*dm_);
        for (int i = 1; i <= count; ++i) {
            dm_->ExecSql(QStringLiteral("INSERT INTO TbBank (Name,Memo) VALUES (\"B%1\",\"\")")
                             .arg(i, 4, 10, QLatin1Char('0')));
        }
        transaction.Commit();
    }
    TDAOQuery& OpenBanks() {
        dm_->OpenSql(QStringLiteral("SELECT Id,Name FROM TbBank ORDER BY Id"));
        return dm_->Q1;
    }
    // The rental lines rented on these days, in this order.
    void AddRentalLines(const QList<QDate>& days) {
        for (const QDate& day : days) {
            dm_->ExecSql(QStringLiteral("INSERT INTO TbRTransaction (Day1,Day2,AId,CId1,FId,"
                                        "Deposit,Rent,Sn,CId2) VALUES (#%1#,#%1#,0,1,1,10,0,1,2)")
                             .arg(JetDate::ShortText(day)));
        }
    }
    static qint64 Name(TDAODataset& q) {
        return q.FieldByName(QStringLiteral("Name")).AsString().mid(1).toLongLong();
    }
};

} // namespace

TEST_F(DAODatasetTest, NavigatingAnEmptyResult) {
    TDAOQuery& q = OpenBanks();
    EXPECT_TRUE(q.Active());
    EXPECT_TRUE(q.Eof());
    EXPECT_TRUE(q.Bof());
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_EQ(q.RecordCount(), 0);
    q.Last();
    q.Next();
    q.Prior();
    EXPECT_TRUE(q.Eof());
    EXPECT_TRUE(q.Bof());
    EXPECT_TRUE(q.FieldByName(QStringLiteral("Name")).IsNull());
    EXPECT_EQ(q.FieldByName(QStringLiteral("Id")).AsInteger(), 0);
    EXPECT_THROW(q.Edit(), EDAODatabaseError);
}

TEST_F(DAODatasetTest, NavigatingASingleRow) {
    AddBanks(1);
    TDAOQuery& q = OpenBanks();
    EXPECT_FALSE(q.Eof());
    EXPECT_FALSE(q.IsEmpty());
    EXPECT_EQ(Name(q), 1);
    q.Next();
    EXPECT_TRUE(q.Eof());
    q.Prior();
    EXPECT_FALSE(q.Eof()); // back on the row
    EXPECT_TRUE(q.Bof());
    EXPECT_EQ(Name(q), 1);
    q.Last();
    EXPECT_FALSE(q.Eof());
    EXPECT_EQ(Name(q), 1);
    EXPECT_EQ(q.RecordCount(), 1);
}

TEST_F(DAODatasetTest, NavigatingManyRowsReadAsNeeded) {
    const int rows = 300;
    AddBanks(rows);
    TDAOQuery& q = OpenBanks();
    EXPECT_EQ(Name(q), 1);
    q.Next();
    EXPECT_EQ(Name(q), 2);
    // Counting reads every row but keeps the position.
    EXPECT_EQ(q.RecordCount(), rows);
    EXPECT_EQ(Name(q), 2);
    int seen = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        EXPECT_EQ(Name(q), ++seen);
    }
    EXPECT_EQ(seen, rows);
    q.Last();
    EXPECT_EQ(Name(q), rows);
    for (int expected = rows; expected >= 1; --expected) {
        ASSERT_FALSE(q.Bof());
        EXPECT_EQ(Name(q), expected);
        q.Prior();
    }
    EXPECT_TRUE(q.Bof());
    EXPECT_EQ(Name(q), 1);
}

TEST_F(DAODatasetTest, FieldsByPlainAndQualifiedNames) {
    dm_->ExecSql(
        QStringLiteral("INSERT INTO TbRentCd (Code,Name,Spell,Day,Alias1,Alias2,CId,FId,"
                       "Status,Director,Player,Number,Price,Power,Memo) VALUES (\"0001\","
                       "\"英雄\",\"YX\",#2024-06-01#,\"\",\"\",1,1,2,\"\",\"\",1,30,1,\"\")"));
    dm_->OpenSql(QStringLiteral("SELECT A.*,IIF(A.Status=2,\"已租\",\"未租\") AS Status,B.Name AS "
                                "FeeName FROM TbRentCd AS A LEFT JOIN TbFee AS B ON B.Id=A.FId"));
    TDAOQuery& q = dm_->Q1;
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("A.Status")).AsInteger(), 2);
    EXPECT_EQ(q.FieldByName(QStringLiteral("Status")).AsString(), QStringLiteral("已租"));
    EXPECT_EQ(q.FieldByName(QStringLiteral("status")).AsString(), QStringLiteral("已租"));
    EXPECT_EQ(q.FieldByName(QStringLiteral("a.status")).AsInteger(), 2);
    EXPECT_EQ(q.FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("英雄"));
    EXPECT_EQ(q.FieldByName(QStringLiteral("FeeName")).AsString(), QStringLiteral("标准收费"));
    try {
        q.FieldByName(QStringLiteral("Missing"));
        ADD_FAILURE() << "found a missing field";
    } catch (const EDAODatabaseError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Missing")));
    }
}

TEST_F(DAODatasetTest, AppendAndEditEveryKindOfValue) {
    dm_->OpenSql(QStringLiteral("SELECT * FROM TbRentCd"));
    TDAOQuery& q = dm_->Q1;
    auto f = [&](const char* name) { return q.FieldByName(QString::fromLatin1(name)); };
    q.Append();
    f("Code").SetAsString(QStringLiteral("A-01"));
    f("Name").SetAsString(QStringLiteral("他说\"好\"'"));
    f("Day").SetAsDateTime(QDate(2024, 2, 29));
    f("Number").SetAsInteger(3);
    f("Price").SetAsCurrency(Currency::FromRaw(123456)); // 12.3456
    f("Power").SetAsFloat(1.23456);                      // rounds to the money grid
    f("Status").SetAsString(QStringLiteral("2"));
    q.Post();
    const qint64 id = f("Id").AsInteger();
    EXPECT_GT(id, 0);
    EXPECT_EQ(Value(QStringLiteral("SELECT Max(Id) AS V FROM TbRentCd")), QString::number(id));

    dm_->OpenSql(QStringLiteral("SELECT * FROM TbRentCd WHERE Id=%1").arg(id));
    EXPECT_EQ(f("Code").AsString(), QStringLiteral("A-01"));
    EXPECT_EQ(f("Name").AsString(), QStringLiteral("他说\"好\"'"));
    EXPECT_EQ(f("Day").AsDateTime(), QDate(2024, 2, 29));
    EXPECT_EQ(f("Day").AsString(), QStringLiteral("2024-02-29"));
    EXPECT_EQ(f("Day").AsInteger(), JetDate::DayNumber(QDate(2024, 2, 29)));
    EXPECT_EQ(f("Number").AsInteger(), 3);
    EXPECT_EQ(f("Number").AsString(), QStringLiteral("3"));
    EXPECT_EQ(f("Price").AsCurrency(), Currency::FromRaw(123456));
    EXPECT_EQ(f("Price").AsString(), QStringLiteral("12.3456"));
    EXPECT_DOUBLE_EQ(f("Price").AsFloat(), 12.3456);
    EXPECT_EQ(f("Power").AsCurrency(), Currency::FromRaw(12346));
    EXPECT_EQ(f("Status").AsInteger(), 2);
    EXPECT_EQ(f("Memo").AsString(), QString()); // left to its default

    q.Edit();
    f("Price").SetAsString(QStringLiteral("-0.0001"));
    f("Day").SetAsString(QStringLiteral("2004-05-01"));
    f("Number").SetAsCurrency(Currency::FromRaw(25000)); // 2.5 to a whole number, ties to even
    q.Post();
    EXPECT_EQ(Value(QStringLiteral("SELECT Price AS V FROM TbRentCd WHERE Id=%1").arg(id)),
              QStringLiteral("-0.0001"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Day AS V FROM TbRentCd WHERE Id=%1").arg(id)),
              QStringLiteral("2004-05-01"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Number AS V FROM TbRentCd WHERE Id=%1").arg(id)),
              QStringLiteral("2"));
    EXPECT_EQ(Count(QStringLiteral("TbRentCd")), 1);
}

TEST_F(DAODatasetTest, ComputedValuesReadByKind) {
    dm_->OpenSql(
        QStringLiteral("SELECT 10/4 AS Q,7 AS N,\"12.5\" AS T,Date() AS D FROM TbVersion"));
    TDAOQuery& q = dm_->Q1;
    EXPECT_DOUBLE_EQ(q.FieldByName(QStringLiteral("Q")).AsFloat(), 2.5);
    EXPECT_EQ(q.FieldByName(QStringLiteral("Q")).AsCurrency(), Currency::FromRaw(25000));
    EXPECT_EQ(q.FieldByName(QStringLiteral("N")).AsCurrency(), Currency::FromWhole(7));
    EXPECT_EQ(q.FieldByName(QStringLiteral("T")).AsCurrency(), Currency::FromRaw(125000));
    EXPECT_EQ(q.FieldByName(QStringLiteral("T")).AsInteger(), 12);
    EXPECT_EQ(q.FieldByName(QStringLiteral("D")).AsDateTime(), QDate(2024, 6, 15));
}

TEST_F(DAODatasetTest, TextThatIsNoNumberOrDateIsRefused) {
    dm_->OpenSql(QStringLiteral("SELECT * FROM TbRentCd"));
    TDAOQuery& q = dm_->Q1;
    q.Append();
    EXPECT_THROW(q.FieldByName(QStringLiteral("Number")).SetAsString(QStringLiteral("3x")),
                 EDAODatabaseError);
    EXPECT_THROW(q.FieldByName(QStringLiteral("Price")).SetAsString(QStringLiteral("abc")),
                 EDAODatabaseError);
    EXPECT_THROW(q.FieldByName(QStringLiteral("Day")).SetAsString(QStringLiteral("2024-13-01")),
                 EDAODatabaseError);
    q.Cancel();
    EXPECT_EQ(Count(QStringLiteral("TbRentCd")), 0);
}

TEST_F(DAODatasetTest, OnlyASingleTableSelectCanBeChanged) {
    dm_->OpenSql(QStringLiteral("SELECT A.Name,B.Name AS Parent FROM TbCdCategory AS A LEFT JOIN "
                                "TbCdCategory AS B ON B.Id=A.SubId"));
    TDAOQuery& q = dm_->Q1;
    q.Append();
    q.FieldByName(QStringLiteral("Name")).SetAsString(QStringLiteral("x"));
    EXPECT_THROW(q.Post(), EOleException);
    q.Cancel();
    EXPECT_THROW(q.FieldByName(QStringLiteral("Name")).SetAsString(QStringLiteral("x")),
                 EDAODatabaseError);
    EXPECT_EQ(Count(QStringLiteral("TbCdCategory"), QStringLiteral("Name=\"x\"")), 0);
}

TEST_F(DAODatasetTest, ADayNumberFilterKeepsTheRowsSinceThatDay) {
    const QDate since(2024, 6, 1);
    AddRentalLines(
        {QDate(2024, 5, 31), since, QDate(2024, 6, 14), QDate(2023, 12, 1), QDate(2024, 7, 1)});
    dm_->OpenSql(QStringLiteral("SELECT * FROM TbRTransaction ORDER BY Id"));
    TDAOQuery& q = dm_->Q1;
    q.SetFilter(QStringLiteral("Day1>=%1").arg(JetDate::DayNumber(since)));
    EXPECT_FALSE(q.Filtered());
    EXPECT_EQ(q.RecordCount(), 5);
    q.SetFiltered(true);
    EXPECT_EQ(q.RecordCount(), 3);
    QList<qint64> ids;
    for (q.First(); !q.Eof(); q.Next()) {
        ids.append(q.FieldByName(QStringLiteral("Id")).AsInteger());
    }
    EXPECT_EQ(ids, (QList<qint64>{2, 3, 5}));
    q.Last();
    EXPECT_EQ(q.FieldByName(QStringLiteral("Id")).AsInteger(), 5);
    q.Prior();
    EXPECT_EQ(q.FieldByName(QStringLiteral("Id")).AsInteger(), 3);

    // A filter set before opening applies at once; conditions join with AND.
    q.SetFilter(QStringLiteral("Day1>=#2024-06-01# AND Day1<%1")
                    .arg(JetDate::DayNumber(QDate(2024, 7, 1))));
    dm_->Q1.Open();
    EXPECT_EQ(q.RecordCount(), 2);
    q.SetFiltered(false);
    EXPECT_EQ(q.RecordCount(), 5);
    q.SetFilter(QStringLiteral("Day1 >> 3"));
    EXPECT_THROW(q.SetFiltered(true), EDAODatabaseError);
}

TEST_F(DAODatasetTest, AReadLeftOpenDoesNotBlockWrites) {
    const int rows = 400;
    AddBanks(rows);
    TDAOQuery reader(&dm_->DbBase);
    reader.SetSQL(QStringLiteral("SELECT Id,Name FROM TbBank ORDER BY Id"));
    reader.Open();
    EXPECT_EQ(Name(reader), 1);
    // Writes of every kind while the reader is half way.
    dm_->ExecSql(QStringLiteral("UPDATE TbBank SET Name=\"changed\""));
    {
        TDM::TTransaction transaction(*dm_);
        dm_->ExecSql(QStringLiteral("DELETE * FROM TbBank WHERE Id>10"));
        transaction.Commit();
    }
    dm_->OpenSqlOn(dm_->Q2, QStringLiteral("SELECT * FROM TbBank WHERE Id=1"));
    dm_->Q2.Edit();
    dm_->Q2.FieldByName(QStringLiteral("Memo")).SetAsString(QStringLiteral("m"));
    dm_->Q2.Post();
    dm_->ExecSql(QStringLiteral("CREATE TABLE TbScratch (Id COUNTER, Name TEXT(10))"));
    dm_->ExecSql(QStringLiteral("DROP TABLE TbScratch"));
    // The reader still has the rows as they were when it opened.
    int seen = 0;
    for (reader.First(); !reader.Eof(); reader.Next()) {
        EXPECT_EQ(Name(reader), ++seen);
    }
    EXPECT_EQ(seen, rows);
    EXPECT_EQ(Count(QStringLiteral("TbBank")), 10);
    EXPECT_EQ(Value(QStringLiteral("SELECT Name&Memo AS V FROM TbBank WHERE Id=1")),
              QStringLiteral("changedm"));
}
