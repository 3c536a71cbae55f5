#include "tests/support/jet/MdbReadBack.h"

#include <QProcess>
#include <QStringDecoder>
#include <QtEndian>

#include <mdbtools.h>

#include <bit>
#include <memory>

namespace MdbReadBack {

namespace {

constexpr int OffsetMask = 0x1fff;
constexpr size_t OleBufferSize = 1 << 16;

struct TMdbClose {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TTableFree {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

TJetType TypeOf(int code) {
    switch (code) {
    case MDB_BOOL:
        return TJetType::Boolean;
    case MDB_BYTE:
        return TJetType::Byte;
    case MDB_INT:
        return TJetType::Integer;
    case MDB_LONGINT:
        return TJetType::Long;
    case MDB_MONEY:
        return TJetType::Currency;
    case MDB_FLOAT:
        return TJetType::Single;
    case MDB_DOUBLE:
        return TJetType::Double;
    case MDB_DATETIME:
        return TJetType::DateTime;
    case MDB_TEXT:
        return TJetType::Text;
    case MDB_MEMO:
        return TJetType::Memo;
    default:
        return TJetType::LongBinary;
    }
}

// libmdb's text of a Text or Memo field (it decompresses and follows memo pages).
QString FieldText(MdbHandle* mdb, const MdbField& field, int code) {
    char* text = mdb_col_to_string(mdb, mdb->pg_buf, field.start, code, field.siz);
    // Keeps a leading U+FEFF, which fromUtf8 would drop as a byte order mark.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString value = utf8.decode(QByteArrayView(text));
    g_free(text);
    return value;
}

QVariant FieldValue(MdbHandle* mdb, MdbColumn* column, const MdbField& field) {
    const auto* raw = static_cast<const uchar*>(field.value);
    switch (TypeOf(column->col_type)) {
    case TJetType::Boolean:
        return !field.is_null;
    case TJetType::Byte:
        return qint64(raw[0]);
    case TJetType::Integer:
        return qint64(qFromLittleEndian<qint16>(raw));
    case TJetType::Long:
        return qint64(qFromLittleEndian<qint32>(raw));
    case TJetType::Currency:
        return qFromLittleEndian<qint64>(raw);
    case TJetType::Single:
        return double(std::bit_cast<float>(qFromLittleEndian<quint32>(raw)));
    case TJetType::Double:
    case TJetType::DateTime:
        return std::bit_cast<double>(qFromLittleEndian<quint64>(raw));
    case TJetType::Text:
    case TJetType::Memo:
        return FieldText(mdb, field, column->col_type);
    case TJetType::LongBinary: {
        size_t size = 0;
        void* bytes = mdb_ole_read_full(mdb, column, &size);
        const QByteArray value(static_cast<const char*>(bytes), qsizetype(size));
        g_free(bytes);
        return value;
    }
    }
    return {};
}

TTable ReadTable(MdbHandle* mdb, MdbCatalogEntry* entry) {
    TTable result;
    result.name = QString::fromUtf8(entry->object_name);
    const std::unique_ptr<MdbTableDef, TTableFree> table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get())) {
        return result;
    }
    result.declaredRows = table->num_rows;
    result.pagedUsageMap = table->map_sz > 0 && table->usage_map[0] == 1;
    for (unsigned i = 0; i < table->num_cols; ++i) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        const TJetType type = TypeOf(column->col_type);
        const int size =
            type == TJetType::Text ? (IS_JET3(mdb) ? column->col_size : column->col_size / 2) : 0;
        result.columns.append(
            {QString::fromUtf8(column->name), type, size, bool(column->is_long_auto)});
    }
    // libmdb reads an OLE value through the column's bound buffer, which must
    // hold a page's worth.
    std::vector<std::vector<char>> buffers;
    for (unsigned i = 0; i < table->num_cols; ++i) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        if (column->col_type == MDB_OLE) {
            buffers.emplace_back(OleBufferSize);
            mdb_bind_column(table.get(), int(i) + 1, buffers.back().data(), nullptr);
        }
    }
    mdb_rewind_table(table.get());
    std::vector<MdbField> fields(table->num_cols);
    while (mdb_fetch_row(table.get())) {
        int start = 0;
        size_t size = 0;
        mdb_find_row(mdb, int(table->cur_row) - 1, &start, &size);
        mdb_crack_row(table.get(), start & OffsetMask, size, fields.data());
        QVariantList row;
        for (unsigned i = 0; i < table->num_cols; ++i) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
            const bool isBool = column->col_type == MDB_BOOL;
            row.append(fields[i].is_null && !isBool ? QVariant()
                                                    : FieldValue(mdb, column, fields[i]));
        }
        result.rows.append(row);
    }
    // The definition page keeps the autonumber after the row count.
    mdb_read_pg(mdb, entry->table_pg);
    result.lastAutoNumber =
        qFromLittleEndian<qint32>(mdb->pg_buf + mdb->fmt->tab_num_rows_offset + 4);
    return result;
}

} // namespace

QList<TTable> ReadTables(const QString& file, QString* error) {
    const std::unique_ptr<MdbHandle, TMdbClose> mdb(
        mdb_open(file.toLocal8Bit().constData(), MDB_NOFLAGS));
    if (!mdb) {
        *error = QStringLiteral("libmdb cannot open ") + file;
        return {};
    }
    mdb_set_bind_size(mdb.get(), 1 << 22);
    GPtrArray* catalog = mdb_read_catalog(mdb.get(), MDB_TABLE);
    if (!catalog) {
        *error = QStringLiteral("libmdb cannot read the catalog of ") + file;
        return {};
    }
    QList<TTable> tables;
    for (unsigned i = 0; i < catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
        if (!mdb_is_system_table(entry)) {
            tables.append(ReadTable(mdb.get(), entry));
        }
    }
    return tables;
}

TToolRun Tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    TToolRun run;
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit) {
        run.err = process.errorString();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace MdbReadBack
