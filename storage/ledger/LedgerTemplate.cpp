#include "storage/ledger/LedgerTemplate.h"

#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/FileOps.h"
#include "storage/ledger/LedgerFormat.h"
#include "storage/ledger/LedgerSchema.h"
#include "storage/ledger/ProgramPaths.h"

#include <QFileInfo>

namespace LedgerTemplate {

namespace {

const char* const TemplateRows[] = {
    "INSERT INTO TbAtorType (Name,T_Day,T_Sum,T_Num,Days,Fee,Punish,Memo) VALUES "
    "(\"普通会员\",0,0,0,0,4,1,\"收押金，收租金，不限天数和部数\")",
    "INSERT INTO TbFee (Name,Deposit1,Number1,Rent1,Days1,Deposit2,Number2,Rent2,Days2) VALUES "
    "(\"标准收费\",20,1,2,1,10,1,1,1)",
    "INSERT INTO TbCdCategory (Id,Name,SubId,Memo) VALUES (1,\"电影\",0,\"\")",
    "INSERT INTO TbCdCategory (Id,Name,SubId,Memo) VALUES (2,\"电视剧\",0,\"\")",
    "INSERT INTO TbCdCategory (Id,Name,SubId,Memo) VALUES (3,\"动画片\",0,\"\")",
    "INSERT INTO TbCdCategory (Id,Name,SubId,Memo) VALUES (4,\"综艺/音乐\",0,\"\")",
    "INSERT INTO TbCdCategory (Name,SubId,Memo) VALUES (\"动作片\",1,\"\")",
    "INSERT INTO TbCdCategory (Name,SubId,Memo) VALUES (\"喜剧片\",1,\"\")",
    "INSERT INTO TbCdCategory (Name,SubId,Memo) VALUES (\"爱情片\",1,\"\")",
    "INSERT INTO TbCdCategory (Name,SubId,Memo) VALUES (\"科幻片\",1,\"\")",
    "INSERT INTO TbCdCategory (Name,SubId,Memo) VALUES (\"国产剧\",2,\"\")",
    "INSERT INTO TbCdCategory (Name,SubId,Memo) VALUES (\"港台剧\",2,\"\")",
    "INSERT INTO TbCategory (Id,Name,Spell,SubId,Flag,Memo) VALUES "
    "(26,\"其他收入\",\"QTSR\",0,5,\"\")",
    "INSERT INTO TbCategory (Id,Name,Spell,SubId,Flag,Memo) VALUES (27,\"房租\",\"FZ\",0,6,\"\")",
    "INSERT INTO TbCategory (Id,Name,Spell,SubId,Flag,Memo) VALUES "
    "(28,\"水电费\",\"SDF\",0,6,\"\")",
    "INSERT INTO TbCategory (Id,Name,Spell,SubId,Flag,Memo) VALUES "
    "(29,\"员工工资\",\"YGGZ\",0,4,\"\")",
};

} // namespace

void WriteBlankLedger(const QString& path) {
    if (QFileInfo::exists(path)) {
        throw EOleException(QStringLiteral("文件“%1”已经存在，不能覆盖。").arg(path));
    }
    // Built under another name and given the target's name only when complete:
    // a build broken off never leaves a half ledger behind.
    const QString building = path + QStringLiteral(".new");
    FileOps::RemoveWithLogs(building);
    LedgerFormat::CreateEmptyLedgerFile(building, LedgerFormat::LedgerPassword);
    try {
        TDM dm;
        dm.DbBase.SetDatabaseName(building);
        LedgerSchema::CreateCurrentLayout(dm);
        TDM::TTransaction transaction(dm);
        for (const char* row : TemplateRows) {
            dm.ExecSql(QString::fromUtf8(row));
        }
        transaction.Commit();
        // A template is copied file by file: keep it free of a write-ahead log.
        dm.ExecSql(QStringLiteral("PRAGMA journal_mode=DELETE"));
        dm.DbBase.Close();
    } catch (...) {
        FileOps::RemoveWithLogs(building);
        throw;
    }
    QString error;
    const bool placed = FileOps::CopyNoReplace(building, path, &error);
    FileOps::RemoveWithLogs(building);
    if (!placed) {
        throw EInOutError(QStringLiteral("无法创建账本文件“%1”：%2").arg(path, error));
    }
}

QString EnsureBlankTemplate() {
    const QString path = ProgramPaths::BlankTemplatePath();
    if (!QFileInfo::exists(path)) {
        WriteBlankLedger(path);
    }
    return path;
}

void CreateLedgerFromTemplate(const QString& path) {
    if (QFileInfo::exists(path)) {
        throw EOleException(QStringLiteral("文件“%1”已经存在，不能覆盖。").arg(path));
    }
    const QString source = EnsureBlankTemplate();
    QString error;
    if (!FileOps::CopyNoReplace(source, path, &error)) {
        throw EInOutError(QStringLiteral("无法创建账本文件“%1”：%2").arg(path, error));
    }
}

} // namespace LedgerTemplate
