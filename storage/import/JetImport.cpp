#include "storage/import/JetImport.h"

#include "storage/Prompter.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "storage/dao/SqliteError.h"
#include "storage/import/JetFile.h"
#include "storage/import/LedgerLayout.h"
#include "storage/ledger/FileOps.h"
#include "storage/ledger/LedgerUpgrade.h"
#include "storage/ledger/OlderLedgers.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <cmath>
#include <vector>

namespace JetImport {

namespace {

constexpr qint64 ProgressEvery = 4096; // rows between progress reports

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString ExistsMessage(const QString& target) {
    return QStringLiteral("账本文件“%1”已经存在，导入不会覆盖它。请先把它改名或者移走，"
                          "或者把要导入的文件改名。")
        .arg(Native(target));
}

// The build the Jet ledger names in its one TbVersion row.
QString JetBuild(TJetFile& jet, const QString& source) {
    if (!jet.TableNames().contains(QStringLiteral("TbVersion"), Qt::CaseInsensitive)) {
        throw EImportRefused(QStringLiteral("“%1”是 Jet 数据库，但不是本软件的账本（没有 TbVersion "
                                            "表），不能导入。")
                                 .arg(Native(source)));
    }
    const std::unique_ptr<TJetTableReader> table = jet.Table(QStringLiteral("TbVersion"));
    qsizetype column = -1;
    for (qsizetype i = 0; i < table->Columns().size(); ++i) {
        if (table->Columns()[i].name.compare(QLatin1String("Version"), Qt::CaseInsensitive) == 0) {
            column = i;
        }
    }
    QStringList builds;
    table->Scan([&](const QList<TJetValue>& values, const TJetRowPlace&) {
        builds.append(column < 0 ? QString() : values[column].text);
    });
    if (builds.size() != 1) {
        throw EImportRefused(QStringLiteral("账本“%1”的版本表 TbVersion 应当正好有一行，现在有 %2 "
                                            "行，不能导入。")
                                 .arg(Native(source))
                                 .arg(builds.size()));
    }
    if (!LedgerUpgrade::Builds().contains(builds.front())) {
        throw EImportRefused(QStringLiteral("账本“%1”的版本“%2”不认识，只能导入 %3 到 %4 的账本。")
                                 .arg(Native(source), builds.front(),
                                      LedgerUpgrade::Builds().front(),
                                      LedgerUpgrade::Builds().back()));
    }
    return builds.front();
}

// Binds one Jet value as the ledger stores a value of `kind`: money as the
// double nearest to its four decimals, dates as whole day numbers, booleans
// as -1 and 0, text as it reads. A missing value (NULL) becomes the kind's
// empty value, as the Windows program read it.
void Bind(sqlite3_stmt* statement, int position, const TJetValue& value, TColumnKind kind,
          const QString& column) {
    int rc = SQLITE_OK;
    switch (kind) {
    case TColumnKind::Text:
        // An empty text (never a null pointer, which would bind NULL).
        rc = sqlite3_bind_text16(statement, position,
                                 value.text.isEmpty() ? static_cast<const void*>(u"")
                                                      : value.text.utf16(),
                                 int(value.text.size() * 2), SQLITE_TRANSIENT);
        break;
    case TColumnKind::Currency:
        // Never through a float: the count of 1/10000 gives the nearest double.
        rc = sqlite3_bind_double(statement, position,
                                 value.kind == TJetValue::Kind::Money
                                     ? static_cast<double>(value.integer) / Currency::Scale
                                     : static_cast<double>(value.integer));
        break;
    case TColumnKind::Float:
        rc = sqlite3_bind_double(
            statement, position,
            value.kind == TJetValue::Kind::Real ? value.real : static_cast<double>(value.integer));
        break;
    case TColumnKind::Date: {
        // The day of a date is its whole part (a time of day is dropped).
        const double day = std::trunc(value.real);
        if (!std::isfinite(day) || std::fabs(day) > 3e6) {
            throw EJetUnreadable(QStringLiteral("列 %1 的日期无效").arg(column));
        }
        rc = sqlite3_bind_int64(statement, position, static_cast<qint64>(day));
        break;
    }
    default:
        rc = sqlite3_bind_int64(statement, position, value.integer);
    }
    if (rc != SQLITE_OK) {
        RaiseEngineError(sqlite3_db_handle(statement), rc);
    }
}

class TStatement {
public:
    TStatement(TDAODatabase& db, const QString& sql) : db_(db), statement_(db.Prepare(sql)) {}
    ~TStatement() { db_.Release(statement_); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;
    sqlite3_stmt* operator*() const { return statement_; }

private:
    TDAODatabase& db_;
    sqlite3_stmt* statement_;
};

// Copies every row of `jet` into its ledger table; the rows copied.
qint64 CopyRows(TDAODatabase& db, TJetTableReader& jet, const TTablePlan& plan,
                TImportProgress& progress, qint64& done, qint64 total) {
    TStatement insert(db, plan.InsertStatement());
    sqlite3* handle = db.Handle();
    qint64 rows = 0;
    jet.Scan([&](const QList<TJetValue>& values, const TJetRowPlace&) {
        for (qsizetype i = 0; i < plan.columns.size(); ++i) {
            const TColumnPlan& column = plan.columns[i];
            Bind(*insert, int(i + 1), values[column.jetIndex], column.kind, column.name);
        }
        const int rc = sqlite3_step(*insert);
        sqlite3_reset(*insert);
        if ((rc & 0xFF) == SQLITE_CONSTRAINT) {
            throw EJetUnreadable(QStringLiteral("它的 Id 与前面的一行相同"));
        }
        if (rc != SQLITE_DONE) {
            RaiseEngineError(handle, rc);
        }
        ++rows;
        if (++done % ProgressEvery == 0) {
            progress.Copied(plan.table, done, total);
        }
    });
    progress.Copied(plan.table, done, total);
    return rows;
}

// Fills the empty ledger at `building` from `jet` and upgrades it.
TImported Fill(TJetFile& jet, const QString& building, const QString& build,
               TImportProgress& progress) {
    TDM dm;
    dm.DbBase.SetDatabaseName(building);
    dm.DbBase.Open();
    TImported imported;
    imported.build = build;
    imported.jet4 = jet.IsJet4();
    const TLedgerLayout layout = TLedgerLayout::Read(dm.DbBase);
    std::vector<std::unique_ptr<TJetTableReader>> tables;
    QList<TTablePlan> plans;
    qint64 total = 0;
    for (const TLayoutTable& table : layout.Tables()) {
        if (!jet.TableNames().contains(table.name, Qt::CaseInsensitive)) {
            throw EImportRefused(QStringLiteral("这不是完整的 %1 账本：缺少表 %2，不能导入。")
                                     .arg(build, table.name));
        }
        tables.push_back(jet.Table(table.name));
        plans.append(PlanTable(table, tables.back()->Columns(), build));
        total += tables.back()->RowCount();
    }
    for (const QString& name : jet.TableNames()) {
        if (!layout.Has(name)) {
            imported.skippedTables.append(name);
        }
    }
    {
        TDM::TTransaction transaction(dm);
        // The look-ups are indexed once the rows are in (by the upgrade), which
        // is several times faster than keeping the indexes up row by row.
        const QStringList kept = layout.DropIndexes(dm.DbBase);
        qint64 done = 0;
        for (qsizetype i = 0; i < plans.size(); ++i) {
            const qint64 rows =
                CopyRows(dm.DbBase, *tables[size_t(i)], plans[i], progress, done, total);
            layout.KeepCounter(dm.DbBase, plans[i].table, tables[size_t(i)]->LastAutoNumber());
            imported.tables.append({plans[i].table, rows});
        }
        layout.CreateIndexes(dm.DbBase, kept);
        transaction.Commit();
    }
    LedgerUpgrade::UpgradeLedger(dm, progress);
    dm.DbBase.Close();
    return imported;
}

TRefusal Refused(const QString& message) {
    ShowError(message);
    return TRefusal{QString(), message};
}

} // namespace

TStored<TImported> Import(const QString& source, const QString& target, TImportProgress& progress) {
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() || targetInfo.isSymLink()) {
        return Refused(ExistsMessage(target));
    }
    const QFileInfo folder(targetInfo.absolutePath());
    const QString unusable = !folder.isDir()        ? QStringLiteral("不存在")
                             : !folder.isWritable() ? QStringLiteral("不能写入")
                                                    : QString();
    if (!unusable.isEmpty()) {
        return Refused(QStringLiteral("文件夹“%1”%2，新账本无法写在那里。")
                           .arg(Native(folder.absoluteFilePath()), unusable));
    }
    // Built beside the target under a name that is no ledger's (*.mdb).
    const QString building = target + QStringLiteral(".import");
    FileOps::RemoveWithLogs(building);
    // An unreadable or refused source leaves no half-built ledger behind.
    const auto refuse = [&building](const EVintorError& e) {
        FileOps::RemoveWithLogs(building);
        return Refused(e.Message());
    };
    TImported imported;
    try {
        TJetFile jet(source);
        const QString build = JetBuild(jet, source);
        OlderLedgers::WriteEmpty(building, build);
        imported = Fill(jet, building, build, progress);
    } catch (const EJetUnreadable& e) {
        return refuse(e);
    } catch (const EImportRefused& e) {
        return refuse(e);
    } catch (...) {
        FileOps::RemoveWithLogs(building);
        throw;
    }
    QString error;
    if (!FileOps::MoveNoReplace(building, target, &error)) {
        FileOps::RemoveWithLogs(building);
        if (QFileInfo::exists(target)) {
            return Refused(ExistsMessage(target));
        }
        throw EInOutError(QStringLiteral("无法写入账本文件“%1”：%2").arg(Native(target), error));
    }
    imported.path = target;
    return imported;
}

QString TargetIn(const QString& dataDirectory, const QString& source) {
    return QDir(dataDirectory)
        .filePath(QFileInfo(source).completeBaseName() + QStringLiteral(".mdb"));
}

QStringList SummaryLines(const TImported& imported) {
    QStringList lines;
    for (const TTableRows& table : imported.tables) {
        lines.append(QStringLiteral("%1\t%2").arg(table.table).arg(table.rows));
    }
    if (!imported.skippedTables.isEmpty()) {
        lines.append(QStringLiteral("未导入的表（不属于 %1 的账本）：%2")
                         .arg(imported.build, imported.skippedTables.join(QLatin1String("、"))));
    }
    return lines;
}

} // namespace JetImport
