#include "tests/support/jet/JetWriter.h"

#include "tests/support/jet/JetRow.h"

#include <QFileInfo>
#include <QSet>

namespace {

constexpr quint32 CatalogPage = 2;
// MSysObjects: the object types and flags of its rows, and the Ids of the
// containers every database has (the tables' Id is their definition page).
constexpr qint16 TableObject = 1;
constexpr qint16 ContainerObject = 3;
constexpr qint32 SystemObjectFlags = static_cast<qint32>(0x80000002u);
constexpr qint32 ContainerFlags = static_cast<qint32>(0x80000000u);
constexpr qint32 ContainersId = 0x0f000000;
constexpr qint32 TablesContainerId = 0x0f000001;

struct TContainer {
    qint32 id;
    const char* name;
};
const TContainer Containers[] = {
    {TablesContainerId, "Tables"},
    {0x0f000002, "Databases"},
    {0x0f000003, "Relationships"},
};

QList<TJetColumn> CatalogColumns() {
    return {
        {QStringLiteral("Id"), TJetType::Long},
        {QStringLiteral("ParentId"), TJetType::Long},
        {QStringLiteral("Name"), TJetType::Text, 255},
        {QStringLiteral("Type"), TJetType::Integer},
        {QStringLiteral("DateCreate"), TJetType::DateTime},
        {QStringLiteral("DateUpdate"), TJetType::DateTime},
        {QStringLiteral("Flags"), TJetType::Long},
        {QStringLiteral("ForeignName"), TJetType::Text, 255},
        {QStringLiteral("Database"), TJetType::Memo},
        {QStringLiteral("Connect"), TJetType::Memo},
        {QStringLiteral("LvProp"), TJetType::LongBinary},
    };
}

QVariantList CatalogRow(qint32 id, qint32 parent, const QString& name, qint16 type, qint32 flags) {
    return {id, parent, name, type, JetCreationStamp, JetCreationStamp, flags, {}, {}, {}, {}};
}

// Writes the pages of one database: the header, the global usage map, the
// catalog and each table with its data, long values and usage maps.
class TJetDatabaseWriter {
public:
    TJetDatabaseWriter(QFile& file, TJetFormat format)
        : layout_(TJetLayout::Of(format)), pages_(file, layout_), maps_(pages_, 0) {
        pages_.Allocate(CatalogPage + 1); // header, global usage map, catalog definition
    }

    void AddTable(const TJetStreamTable& table) {
        if (table.name.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive)) {
            throw TJetWriteError{QStringLiteral("表名“%1”留给系统表。").arg(table.name)};
        }
        if (names_.contains(table.name.toCaseFolded())) {
            throw TJetWriteError{QStringLiteral("有两张表都叫“%1”。").arg(table.name)};
        }
        names_.insert(table.name.toCaseFolded());
        const TJetTablePlan plan(layout_, table.name, table.columns);
        const quint32 definition = pages_.Allocate(plan.DefinitionPages());
        WriteTable(plan, definition, table.rows, table.nextAutoNumber);
        catalog_.append(CatalogRow(static_cast<qint32>(definition), TablesContainerId, table.name,
                                   TableObject, 0));
    }

    void Finish() {
        const TJetTablePlan plan(layout_, QStringLiteral("MSysObjects"), CatalogColumns(), true);
        Q_ASSERT(plan.DefinitionPages() == 1);
        QList<QVariantList> rows;
        for (const TContainer& c : Containers) {
            rows.append(CatalogRow(c.id, ContainersId, QString::fromLatin1(c.name), ContainerObject,
                                   ContainerFlags));
        }
        rows.append(CatalogRow(CatalogPage, TablesContainerId, plan.Name(), TableObject,
                               SystemObjectFlags));
        rows.append(catalog_);
        qsizetype next = 0;
        WriteTable(plan, CatalogPage, {[&](QVariantList& row, QString&) {
                       if (next == rows.size()) {
                           return false;
                       }
                       row = rows[next++];
                       return true;
                   }},
                   0);
        maps_.Finish();
        TRowPacker global(pages_, 0, 1);
        global.Add(JetGlobalUsageMap(pages_));
        global.Finish();
        pages_.Write(0, JetHeaderPage(layout_));
    }

private:
    void WriteTable(const TJetTablePlan& plan, quint32 definition, const TJetRowSource& source,
                    qint32 nextAutoNumber) {
        TRowPacker data(pages_, definition);
        TRowPacker longValues(pages_, TRowPacker::LongValues);
        TJetRowEncoder encoder(plan, longValues);
        TJetTableState state;
        qint64 highest = 0;
        QVariantList row;
        QString error;
        while (source.next && source.next(row, error)) {
            data.Add(encoder.Encode(row, ++state.rows));
            if (plan.AutoNumber() >= 0) {
                highest = std::max(highest, row[plan.AutoNumber()].toLongLong());
            }
        }
        if (!error.isEmpty()) {
            throw TJetWriteError{error};
        }
        data.Finish();
        longValues.Finish();
        if (nextAutoNumber > 0 && nextAutoNumber <= highest) {
            throw TJetWriteError{QStringLiteral("表“%1”自动编号的下一个值 %2 不大于已有的 %3。")
                                     .arg(plan.Name())
                                     .arg(nextAutoNumber)
                                     .arg(highest)};
        }
        state.lastAutoNumber =
            static_cast<qint32>((nextAutoNumber > 0 ? nextAutoNumber : highest + 1) - 1);
        std::vector<quint32> withRoom;
        if (!data.Pages().empty()) {
            withRoom.push_back(data.Pages().back());
        }
        state.usageMap = maps_.Add(JetUsageMap(pages_, data.Pages()));
        state.freeMap = maps_.Add(JetUsageMap(pages_, withRoom));
        plan.WriteDefinition(pages_, definition, state);
    }

    const TJetLayout& layout_;
    TJetPageFile pages_;
    TRowPacker maps_; // the tables' usage map rows
    QSet<QString> names_;
    QList<QVariantList> catalog_;
};

} // namespace

QString WriteJet(const QString& file, TJetFormat format, const QList<TJetStreamTable>& tables) {
    if (QFileInfo::exists(file)) {
        return QStringLiteral("文件“%1”已经存在，不会覆盖。").arg(file);
    }
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        return QStringLiteral("无法创建文件“%1”：%2").arg(file, out.errorString());
    }
    try {
        TJetDatabaseWriter writer(out, format);
        for (const TJetStreamTable& table : tables) {
            writer.AddTable(table);
        }
        writer.Finish();
        if (!out.flush()) {
            throw TJetWriteError{
                QStringLiteral("写入文件“%1”失败：%2").arg(file, out.errorString())};
        }
    } catch (const TJetWriteError& e) {
        out.close();
        out.remove();
        return e.reason;
    }
    return {};
}

QString WriteJet(const QString& file, TJetFormat format, const QList<TJetTable>& tables) {
    QList<TJetStreamTable> streams;
    QList<qsizetype> next(tables.size(), 0);
    for (qsizetype t = 0; t < tables.size(); ++t) {
        const TJetTable& table = tables[t];
        streams.append({table.name,
                        table.columns,
                        {[&table, &position = next[t]](QVariantList& row, QString&) {
                            if (position == table.rows.size()) {
                                return false;
                            }
                            row = table.rows[position++];
                            return true;
                        }},
                        table.nextAutoNumber});
    }
    return WriteJet(file, format, streams);
}
