#include "storage/ledger/ExampleLedger.h"

#include "storage/Clock.h"
#include "storage/JetDate.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"
#include "storage/ledger/LedgerTemplate.h"

#include <QFile>

namespace ExampleLedger {

namespace {

QString Day(int offset) {
    return JetDate::ShortText(TClock::Today().addDays(offset));
}

struct TTitle {
    const char* code;
    const char* name;
    const char* spell;
    int category;
    int fee;
    const char* director;
    const char* player;
    int discs;
    double price;
    double power;
};

// Rental titles of the example shop; the last ten are the episodes of a series.
const TTitle RentalTitles[] = {
    {"00001", "少林足球", "SLZQ", 6, 1, "周星驰", "周星驰,赵薇", 2, 25, 1},
    {"00002", "英雄", "YX", 5, 2, "张艺谋", "李连杰,梁朝伟,章子怡", 2, 30, 1},
    {"00003", "大话西游", "DHXY", 6, 1, "刘镇伟", "周星驰,朱茵", 2, 20, 1},
    {"00004", "无间道", "WJD", 5, 2, "刘伟强", "刘德华,梁朝伟", 1, 28, 1},
    {"00005", "卧虎藏龙", "WHCL", 5, 1, "李安", "周润发,章子怡", 2, 26, 1},
    {"00006", "天下无贼", "TXWZ", 6, 2, "冯小刚", "刘德华,刘若英", 2, 30, 1.5},
    {"00007", "功夫", "GF", 6, 2, "周星驰", "周星驰,元华", 1, 32, 1},
    {"00008", "甜蜜蜜", "TMM", 7, 1, "陈可辛", "黎明,张曼玉", 1, 18, 1},
    {"00009", "龙猫", "LM", 3, 1, "宫崎骏", "", 1, 22, 0.5},
    {"00010", "花样年华", "HYNH", 7, 1, "王家卫", "梁朝伟,张曼玉", 1, 24, 1},
};

const char* const SeriesCode = "0001";
const char* const SeriesName = "射雕英雄传";
const int SeriesEpisodes = 10;

struct TSaleTitle {
    const char* code;
    const char* name;
    const char* spell;
    int category;
    int discsPerSet;
    int stock;
    double cost;
    double price;
};

const TSaleTitle SaleTitles[] = {
    {"S0001", "泰坦尼克号", "TTNKH", 7, 2, 5, 15, 25},
    {"S0002", "阿甘正传", "AGZZ", 1, 1, 3, 12, 20},
    {"S0003", "指环王", "ZHW", 8, 3, 2, 30, 48},
    {"S0004", "千与千寻", "QYQX", 3, 1, 0, 14, 22},
};

struct TMember {
    const char* code;
    const char* name;
    const char* spell;
    int type;
    int lastDayOffset;
    double number;
    double balance;
    double deposit;
    double payment;
    const char* telephone;
    const char* address;
};

// Member types 1 (template) … 5: one of every charging kind.
const TMember Members[] = {
    {"1001", "王小姐", "WXJ", 1, 0, 0, 0, 50, 0, "13800000001", "幸福路12号"},
    {"1002", "李明", "LM", 2, 20, 0, 0, 0, 50, "13800000002", "人民路5号"},
    {"1003", "张伟", "ZW", 3, 0, 10, 0, 50, 30, "13800000003", "解放街8号"},
    {"1004", "刘芳", "LF", 4, 60, 30, 0, 0, 100, "13800000004", "新华路21号"},
    {"1005", "陈静", "CJ", 5, 0, 0, 80, 0, 80, "13800000005", "中山路3号"},
    {"1006", "赵强", "ZQ", 4, -10, 2, 0, 0, 100, "13800000006", "建设路9号"},
};

const char* const Players[][2] = {
    {"周星驰", "ZXC"}, {"刘德华", "LDH"}, {"梁朝伟", "LCW"}, {"章子怡", "ZZY"},
    {"李连杰", "LLJ"}, {"张曼玉", "ZMY"}, {"周润发", "ZRF"}, {"张艺谋", "ZYM"},
};

void Run(TDM& dm, const QString& pattern, std::initializer_list<TFormatArg> args = {}) {
    dm.ExecSql(SqlFormat(pattern, args));
}

void WriteMasterData(TDM& dm) {
    Run(dm, "UPDATE TbShopInfo SET Name=\"星光影碟出租店\",Address=\"幸福路88号\","
            "Telephone=\"0571-88886666\",Memo=\"软件提供的例子账本\" WHERE Id=1");
    Run(dm, "UPDATE TbPrinter SET OnOff=0,Port=1,Com=\"COM1\",Speed=\"9600\",Lpt=\"LPT1\","
            "CashBox=0 WHERE ID=1");
    QStringList columns;
    QStringList flags;
    for (int n = 1; n <= 50; ++n) {
        columns.append(QStringLiteral("Op%1").arg(n));
        // The counter clerk may rent, cancel, sell, take back and keep members' payments.
        const bool allowed = n == 1 || n == 2 || n == 3 || n == 4 || n == 13 || n == 14 || n == 17;
        flags.append(allowed ? QStringLiteral("1") : QStringLiteral("0"));
    }
    dm.ExecSql(
        QStringLiteral("INSERT INTO TbOperator (Name,Password,%1) VALUES (\"小王\",\"1234\",%2)")
            .arg(columns.join(u','), flags.join(u',')));
    Run(dm, "INSERT INTO TbCompany (Name,Address,Telephone,Memo) VALUES "
            "(\"华夏音像批发部\",\"文化市场3楼\",\"0571-87654321\",\"\")");
    Run(dm, "INSERT INTO TbCompany (Name,Address,Telephone,Memo) VALUES "
            "(\"东方影视发行公司\",\"滨江大道100号\",\"0571-81234567\",\"\")");
    Run(dm, "INSERT INTO TbBank (Name,Memo) VALUES (\"中国工商银行\",\"\")");
    Run(dm, "INSERT INTO TbBank (Name,Memo) VALUES (\"中国建设银行\",\"\")");
    Run(dm, "INSERT INTO TbAccount (Name,[Max],[Min],[No],Bank,Contact,Telephone,Memo) VALUES "
            "(\"工商银行账户\",0,0,\"6222020200112233445\",\"中国工商银行\",\"店主\","
            "\"0571-88886666\",\"\")");
    Run(dm, "INSERT INTO TbFee (Name,Deposit1,Number1,Rent1,Days1,Deposit2,Number2,Rent2,Days2) "
            "VALUES (\"新片收费\",30,1,3,1,20,1,2,1)");
    Run(dm, "INSERT INTO TbFee (Name,Deposit1,Number1,Rent1,Days1,Deposit2,Number2,Rent2,Days2) "
            "VALUES (\"连续剧收费\",10,1,1,3,5,1,0.5,3)");
    Run(dm, "INSERT INTO TbAtorType (Name,T_Day,T_Sum,T_Num,Days,Fee,Punish,Memo) VALUES "
            "(\"包月会员\",30,50,0,3,1,1,\"每月交费，期内不限部数\")");
    Run(dm, "INSERT INTO TbAtorType (Name,T_Day,T_Sum,T_Num,Days,Fee,Punish,Memo) VALUES "
            "(\"计次会员\",0,30,10,3,2,2,\"每次交费可看10部\")");
    Run(dm, "INSERT INTO TbAtorType (Name,T_Day,T_Sum,T_Num,Days,Fee,Punish,Memo) VALUES "
            "(\"季度会员\",90,100,40,5,3,2,\"每季交费，限天数和部数\")");
    Run(dm, "INSERT INTO TbAtorType (Name,T_Day,T_Sum,T_Num,Days,Fee,Punish,Memo) VALUES "
            "(\"储值会员\",0,0,0,3,5,3,\"预收租金，租金从中扣除\")");
    for (const auto& player : Players) {
        Run(dm, "INSERT INTO TbPlayer (Name,Spell,Memo) VALUES (\"%s\",\"%s\",\"\")",
            {player[0], player[1]});
    }
}

// One stock-in batch: its payment movement and the lines of the given titles.
void WriteStockIn(TDM& dm, int kind, int flag, int supplier, const QString& day,
                  const QList<QPair<int, Currency>>& lines, int batch) {
    Currency total;
    for (const auto& line : lines) {
        total += line.second;
    }
    Run(dm,
        "INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,Memo) "
        "VALUES (#%s#,%d,0,%d,1,1,0,0,%f,0,\"\")",
        {day, kind, supplier, -total});
    const QString fund = dm.SqlFieldText(
        QStringLiteral("SELECT Max(Id) AS MaxId FROM TbFTransaction"), QStringLiteral("MaxId"));
    for (const auto& line : lines) {
        Run(dm,
            "INSERT INTO TbITransaction (Day,CId1,CId2,FId,Flag,Number,Price,Sn) VALUES "
            "(#%s#,%d,%d,%s,%d,1,%f,%d)",
            {day, line.first, kind, fund, flag, line.second, batch});
    }
}

void WriteTitles(TDM& dm) {
    const QString stockDay = Day(-30);
    QList<QPair<int, Currency>> rentalLines;
    int id = 0;
    for (const TTitle& t : RentalTitles) {
        Run(dm,
            "INSERT INTO TbRentCd (Code,Name,Spell,Day,Alias1,Alias2,CId,FId,Status,Director,"
            "Player,Number,Price,Power,Memo) VALUES (\"%s\",\"%s\",\"%s\",#%s#,\"\",\"\",%d,%d,"
            "1,\"%s\",\"%s\",%d,%f,%f,\"\")",
            {t.code, t.name, t.spell, stockDay, t.category, t.fee, t.director, t.player, t.discs,
             Currency::FromDouble(t.price), Currency::FromDouble(t.power)});
        rentalLines.append({++id, Currency::FromDouble(t.price)});
    }
    for (int episode = 1; episode <= SeriesEpisodes; ++episode) {
        Run(dm,
            "INSERT INTO TbRentCd (Code,Name,Spell,Day,Alias1,Alias2,CId,FId,Status,Director,"
            "Player,Number,Price,Power,Memo) VALUES (\"%s-%d\",\"%s\",\"SDYXZ\",#%s#,\"\",\"\","
            "10,3,1,\"王晶\",\"黄日华,翁美玲\",1,8,1,\"第%d集\")",
            {SeriesCode, episode, SeriesName, stockDay, episode});
        rentalLines.append({++id, Currency::FromWhole(8)});
    }
    WriteStockIn(dm, 21, 0, 1, stockDay, rentalLines, 1);

    QList<QPair<int, Currency>> saleLines;
    id = 0;
    for (const TSaleTitle& t : SaleTitles) {
        Run(dm,
            "INSERT INTO TbSaleCd (Code,Name,Spell,Day,Alias1,Alias2,CId,Director,Player,"
            "Number1,Number2,Cost,Price,Memo) VALUES (\"%s\",\"%s\",\"%s\",#%s#,\"\",\"\",%d,"
            "\"\",\"\",%d,%d,%f,%f,\"\")",
            {t.code, t.name, t.spell, stockDay, t.category, t.discsPerSet, t.stock,
             Currency::FromDouble(t.cost), Currency::FromDouble(t.price)});
        saleLines.append({++id, Currency::FromDouble(t.cost)});
    }
    WriteStockIn(dm, 22, 1, 2, stockDay, saleLines, int(rentalLines.size()) + 1);
}

void WriteMembers(TDM& dm) {
    int id = 0;
    for (const TMember& m : Members) {
        ++id;
        Run(dm,
            "INSERT INTO TbAssociator (Code,Name,Spell,AId,LastDay,Number,Balance,Deposit,"
            "Telephone,Address,Memo) VALUES (\"%s\",\"%s\",\"%s\",%d,#%s#,%f,%f,%f,\"%s\","
            "\"%s\",\"\")",
            {m.code, m.name, m.spell, m.type, Day(m.lastDayOffset), Currency::FromDouble(m.number),
             Currency::FromDouble(m.balance), Currency::FromDouble(m.deposit), m.telephone,
             m.address});
        const Currency payment = Currency::FromDouble(m.payment);
        if (!payment.IsZero()) {
            Run(dm,
                "INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,"
                "Memo) VALUES (#%s#,11,1,0,1,%d,1,%d,%f,%f,\"\")",
                {Day(-20), id, id, -payment, payment});
        }
        const Currency deposit = Currency::FromDouble(m.deposit);
        if (!deposit.IsZero()) {
            Run(dm,
                "INSERT INTO TbFTransaction (Day,CId1,Flag,CId2,CId3,AId1,AId2,AId3,Sum1,Sum2,"
                "Memo) VALUES (#%s#,13,1,0,1,%d,1,%d,%f,%f,\"\")",
                {Day(-20), id, id, -deposit, deposit});
        }
    }
}

} // namespace

void Write(const QString& path) {
    LedgerTemplate::CreateLedgerFromTemplate(path);
    try {
        TDM dm;
        dm.DbBase.SetDatabaseName(path);
        TDM::TTransaction transaction(dm);
        WriteMasterData(dm);
        WriteTitles(dm);
        WriteMembers(dm);
        transaction.Commit();
        dm.DbBase.Close();
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

} // namespace ExampleLedger
