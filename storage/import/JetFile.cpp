#include "storage/import/JetFile.h"

#include "storage/import/JetText.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <mdbtools.h>

#include <cstring>
#include <vector>

namespace {

// A row's entry in the slot table of its data page: the offset of its start,
// with a deleted row or a pointer to a row moved to another page flagged in
// the top bits.
constexpr quint16 DeletedRow = 0x8000;
constexpr quint16 MovedRow = 0x4000;
constexpr quint16 RowOffset = 0x1FFF;

// The 12-byte head of a memo value: its length with the place of the text in
// the top bits, and the first long-value row.
constexpr int MemoHead = 12;
constexpr quint32 MemoInline = 0x80000000;
constexpr quint32 MemoOneRow = 0x40000000;
constexpr quint32 MemoLength = 0x3FFFFFFF;

constexpr int JetVersionOffset = 0x14;

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

template <typename T> T Read(const unsigned char* bytes) {
    return qFromLittleEndian<T>(bytes);
}

TJetColumnType TypeOf(int mdbType) {
    switch (mdbType) {
    case MDB_BOOL:
        return TJetColumnType::Boolean;
    case MDB_BYTE:
        return TJetColumnType::Byte;
    case MDB_INT:
        return TJetColumnType::Integer;
    case MDB_LONGINT:
        return TJetColumnType::Long;
    case MDB_MONEY:
        return TJetColumnType::Currency;
    case MDB_FLOAT:
        return TJetColumnType::Single;
    case MDB_DOUBLE:
        return TJetColumnType::Double;
    case MDB_DATETIME:
        return TJetColumnType::DateTime;
    case MDB_TEXT:
        return TJetColumnType::Text;
    case MDB_MEMO:
        return TJetColumnType::Memo;
    default:
        return TJetColumnType::Other;
    }
}

// The file's first bytes must be those of a Jet 3 or Jet 4 database; checked
// before libmdb reads it, so that anything else gets a clear answer.
bool CheckHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EJetUnreadable(
            QStringLiteral("无法打开文件“%1”：%2").arg(Native(path), file.errorString()));
    }
    const QByteArray head = file.read(JetVersionOffset + 1);
    static const QByteArray jetMagic("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    static const QByteArray aceMagic("\x00\x01\x00\x00Standard ACE DB\x00", 20);
    if (head.size() <= JetVersionOffset ||
        !(head.startsWith(jetMagic) || head.startsWith(aceMagic))) {
        throw EJetUnreadable(QStringLiteral("“%1”不是 Jet 数据库文件（旧版软件的 .mdb 账本），"
                                            "不能导入。")
                                 .arg(Native(path)));
    }
    const int version = static_cast<unsigned char>(head[JetVersionOffset]);
    if (!head.startsWith(jetMagic) || (version != MDB_VER_JET3 && version != MDB_VER_JET4)) {
        throw EJetUnreadable(QStringLiteral("“%1”是较新版本的 Access 数据库，只能导入 Jet 3 或 "
                                            "Jet 4 格式（旧版软件）的账本。")
                                 .arg(Native(path)));
    }
    return version == MDB_VER_JET4;
}

// The start and length of row `slot` in a data page; false when the slot
// table does not hold it or it runs off the page.
bool RowBounds(const unsigned char* page, const MdbFormatConstants& fmt, int slot, int* start,
               int* length) {
    const int rows = Read<quint16>(page + fmt.row_count_offset);
    const int pageSize = int(fmt.pg_size);
    if (slot < 0 || slot >= rows || fmt.row_count_offset + 2 + 2 * rows > pageSize) {
        return false;
    }
    *start = Read<quint16>(page + fmt.row_count_offset + 2 + 2 * slot) & RowOffset;
    const int end =
        slot == 0 ? pageSize : Read<quint16>(page + fmt.row_count_offset + 2 * slot) & RowOffset;
    *length = end - *start;
    return *start < pageSize && end <= pageSize && *length > 0;
}

} // namespace

struct TJetFile::TImpl {
    MdbHandle* mdb = nullptr;
    bool jet4 = false;

    ~TImpl() {
        if (mdb != nullptr) {
            mdb_close(mdb);
        }
    }

    QList<MdbCatalogEntry*> Tables() const {
        QList<MdbCatalogEntry*> tables;
        for (guint i = 0; mdb->catalog != nullptr && i < mdb->catalog->len; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (mdb_is_user_table(entry)) {
                tables.append(entry);
            }
        }
        return tables;
    }
};

TJetFile::TJetFile(const QString& path) : impl_(std::make_unique<TImpl>()) {
    impl_->jet4 = CheckHeader(path);
    // Without MDB_WRITABLE libmdb opens the file for reading only.
    impl_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (impl_->mdb == nullptr || mdb_read_catalog(impl_->mdb, MDB_TABLE) == nullptr) {
        throw EJetUnreadable(
            QStringLiteral("无法读取 Jet 数据库“%1”的目录：文件可能已损坏。").arg(Native(path)));
    }
    if (!impl_->jet4 && TJetText::CodePageEncoding(impl_->mdb->f->code_page).isEmpty()) {
        throw EJetUnreadable(QStringLiteral("Jet 数据库“%1”的文字使用代码页 %2，本软件不认识它。")
                                 .arg(Native(path))
                                 .arg(impl_->mdb->f->code_page));
    }
}

TJetFile::~TJetFile() = default;

bool TJetFile::IsJet4() const {
    return impl_->jet4;
}

QStringList TJetFile::TableNames() const {
    QStringList names;
    for (const MdbCatalogEntry* entry : impl_->Tables()) {
        names.append(QString::fromUtf8(entry->object_name));
    }
    return names;
}

struct TJetTableReader::TImpl {
    MdbHandle* mdb = nullptr;
    MdbTableDef* table = nullptr;
    QString name;
    QList<TJetColumnInfo> columns;
    qint64 lastAutoNumber = 0;
    TJetText text;
    // False once the main page buffer holds another page than the one read
    // (the page a moved row went to).
    bool pageInBuffer = false;

    TImpl(MdbHandle* handle, bool jet4) : mdb(handle), text(jet4, handle->f->code_page) {}
    ~TImpl() {
        if (table != nullptr) {
            mdb_free_tabledef(table);
        }
    }

    const MdbFormatConstants& Format() const { return *mdb->fmt; }
    MdbColumn* Column(int i) const {
        return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
    }

    QString DecodeText(const char* bytes, qsizetype size, const QString& column) {
        const std::optional<QString> decoded = text.Decode(bytes, size);
        if (!decoded) {
            throw EJetUnreadable(QStringLiteral("列 %1 的文字编码无效").arg(column));
        }
        return *decoded;
    }

    // The bytes of one long-value row (on the spare page buffer).
    QByteArray LongValueRow(quint32 pageRow, const QString& column, int* start, int* length) {
        const unsigned long page = pageRow >> 8;
        if (page == 0 || mdb_read_alt_pg(mdb, page) != Format().pg_size ||
            mdb->alt_pg_buf[0] != MDB_PAGE_DATA ||
            !RowBounds(mdb->alt_pg_buf, Format(), int(pageRow & 0xFF), start, length)) {
            throw EJetUnreadable(QStringLiteral("列 %1 的长文本已损坏").arg(column));
        }
        return QByteArray(reinterpret_cast<const char*>(mdb->alt_pg_buf) + *start, *length);
    }

    // The stored bytes of a memo value whose 12-byte head is at `head`.
    QByteArray MemoBytes(const unsigned char* head, int size, const QString& column) {
        if (size < MemoHead) {
            throw EJetUnreadable(QStringLiteral("列 %1 的长文本已损坏").arg(column));
        }
        const quint32 word = Read<quint32>(head);
        const qint64 length = word & MemoLength;
        quint32 pageRow = Read<quint32>(head + 4);
        QByteArray bytes;
        int start = 0;
        int rowLength = 0;
        if (word & MemoInline) {
            bytes = QByteArray(reinterpret_cast<const char*>(head) + MemoHead, size - MemoHead);
        } else if (word & MemoOneRow) {
            bytes = LongValueRow(pageRow, column, &start, &rowLength);
        } else {
            // A chain of rows, each starting with the place of the next.
            while (bytes.size() < length) {
                const QByteArray row = LongValueRow(pageRow, column, &start, &rowLength);
                if (row.size() < 4) {
                    break;
                }
                pageRow = Read<quint32>(reinterpret_cast<const unsigned char*>(row.constData()));
                bytes.append(row.constData() + 4, row.size() - 4);
                if (pageRow == 0) {
                    break;
                }
            }
        }
        if (bytes.size() < length) {
            throw EJetUnreadable(QStringLiteral("列 %1 的长文本不完整").arg(column));
        }
        bytes.truncate(length);
        return bytes;
    }

    TJetValue Value(int i, const MdbField& field) {
        const TJetColumnInfo& info = columns[i];
        TJetValue value;
        if (info.type == TJetColumnType::Boolean) {
            // A yes/no value lives in the null mask: a set bit is Yes.
            value.kind = TJetValue::Kind::Integer;
            value.integer = field.is_null ? 0 : -1;
            return value;
        }
        if (field.is_null) {
            return value;
        }
        const auto* bytes = static_cast<const unsigned char*>(field.value);
        const auto need = [&](int size) {
            if (field.siz != size) {
                throw EJetUnreadable(QStringLiteral("列 %1 的值长度不对").arg(info.name));
            }
        };
        switch (info.type) {
        case TJetColumnType::Byte:
            need(1);
            value.kind = TJetValue::Kind::Integer;
            value.integer = bytes[0];
            break;
        case TJetColumnType::Integer:
            need(2);
            value.kind = TJetValue::Kind::Integer;
            value.integer = Read<qint16>(bytes);
            break;
        case TJetColumnType::Long:
            need(4);
            value.kind = TJetValue::Kind::Integer;
            value.integer = Read<qint32>(bytes);
            break;
        case TJetColumnType::Currency:
            need(8);
            value.kind = TJetValue::Kind::Money;
            value.integer = Read<qint64>(bytes);
            break;
        case TJetColumnType::Single:
            need(4);
            value.kind = TJetValue::Kind::Real;
            value.real = Read<float>(bytes);
            break;
        case TJetColumnType::Double:
        case TJetColumnType::DateTime:
            need(8);
            value.kind =
                info.type == TJetColumnType::Double ? TJetValue::Kind::Real : TJetValue::Kind::Date;
            value.real = Read<double>(bytes);
            break;
        case TJetColumnType::Text:
            value.kind = TJetValue::Kind::Text;
            value.text = DecodeText(reinterpret_cast<const char*>(bytes), field.siz, info.name);
            break;
        case TJetColumnType::Memo: {
            const QByteArray memo = MemoBytes(bytes, field.siz, info.name);
            value.kind = TJetValue::Kind::Text;
            value.text = DecodeText(memo.constData(), memo.size(), info.name);
            break;
        }
        case TJetColumnType::Other:
        case TJetColumnType::Boolean:
            throw EJetUnreadable(QStringLiteral("列 %1 的类型不能导入").arg(info.name));
        }
        return value;
    }

    // Cracks the row at `start` of the page in the main buffer into `values`.
    void ReadRow(int start, int length, QList<TJetValue>& values) {
        MdbField fields[MDB_MAX_COLS];
        if (mdb_crack_row(table, start, size_t(length), fields) < 0) {
            throw EJetUnreadable(QStringLiteral("记录已损坏"));
        }
        for (int i = 0; i < columns.size(); ++i) {
            values[i] = Value(i, fields[i]);
        }
    }

    // Puts the row of `slot` on the current page (or the row it was moved
    // to) into `values`. `page` is the current page as read.
    void ReadSlot(const std::vector<unsigned char>& page, int slot, QList<TJetValue>& values) {
        int start = 0;
        int length = 0;
        if (!RowBounds(page.data(), Format(), slot, &start, &length)) {
            throw EJetUnreadable(QStringLiteral("记录的位置超出了数据页"));
        }
        if (!pageInBuffer) {
            std::memcpy(mdb->pg_buf, page.data(), page.size());
            pageInBuffer = true;
        }
        if (Read<quint16>(page.data() + Format().row_count_offset + 2 + 2 * slot) & MovedRow) {
            // The row grew and moved: here is only the place it went to.
            const quint32 pageRow = length >= 4 ? Read<quint32>(page.data() + start) : 0;
            const unsigned long target = pageRow >> 8;
            if (target == 0 || mdb_read_alt_pg(mdb, target) != Format().pg_size ||
                !RowBounds(mdb->alt_pg_buf, Format(), int(pageRow & 0xFF), &start, &length)) {
                throw EJetUnreadable(QStringLiteral("记录移到的位置无法读取"));
            }
            std::memcpy(mdb->pg_buf, mdb->alt_pg_buf, page.size());
            pageInBuffer = false;
        }
        ReadRow(start, length, values);
    }
};

std::unique_ptr<TJetTableReader> TJetFile::Table(const QString& name) {
    MdbCatalogEntry* entry = nullptr;
    for (MdbCatalogEntry* candidate : impl_->Tables()) {
        if (QString::fromUtf8(candidate->object_name).compare(name, Qt::CaseInsensitive) == 0) {
            entry = candidate;
        }
    }
    if (entry == nullptr) {
        throw EJetUnreadable(QStringLiteral("没有表 %1").arg(name));
    }
    auto impl = std::make_unique<TJetTableReader::TImpl>(impl_->mdb, impl_->jet4);
    impl->name = QString::fromUtf8(entry->object_name);
    impl->table = mdb_read_table(entry);
    if (impl->table == nullptr || mdb_read_columns(impl->table) == nullptr) {
        throw EJetUnreadable(QStringLiteral("表 %1 的定义无法读取").arg(impl->name));
    }
    for (guint i = 0; i < impl->table->num_cols; ++i) {
        const MdbColumn* column = impl->Column(int(i));
        impl->columns.append(
            {QString::fromUtf8(column->name), TypeOf(column->col_type), column->is_long_auto != 0});
    }
    // The COUNTER's last value sits in the table definition after the row count.
    const MdbFormatConstants& fmt = *impl_->mdb->fmt;
    if (mdb_read_pg(impl_->mdb, entry->table_pg) != fmt.pg_size) {
        throw EJetUnreadable(QStringLiteral("表 %1 的定义无法读取").arg(impl->name));
    }
    impl->lastAutoNumber = Read<qint32>(impl_->mdb->pg_buf + fmt.tab_num_rows_offset + 4);
    return std::unique_ptr<TJetTableReader>(new TJetTableReader(std::move(impl)));
}

TJetTableReader::TJetTableReader(std::unique_ptr<TImpl> impl) : impl_(std::move(impl)) {}

TJetTableReader::~TJetTableReader() = default;

const QString& TJetTableReader::Name() const {
    return impl_->name;
}

const QList<TJetColumnInfo>& TJetTableReader::Columns() const {
    return impl_->columns;
}

qint64 TJetTableReader::RowCount() const {
    return impl_->table->num_rows;
}

qint64 TJetTableReader::LastAutoNumber() const {
    return impl_->lastAutoNumber;
}

void TJetTableReader::Scan(
    const std::function<void(const QList<TJetValue>&, const TJetRowPlace&)>& each) {
    MdbHandle* mdb = impl_->mdb;
    const MdbFormatConstants& fmt = impl_->Format();
    QList<TJetValue> values(impl_->columns.size());
    std::vector<unsigned char> page(size_t(fmt.pg_size));
    TJetRowPlace place;
    const auto unreadable = [&](const QString& why) {
        return EJetUnreadable(
            QStringLiteral("表 %1 第 %2 行（数据页 %3 第 %4 条记录）无法读取：%5。")
                .arg(impl_->name)
                .arg(place.ordinal)
                .arg(place.page)
                .arg(place.slot + 1)
                .arg(why));
    };
    mdb_rewind_table(impl_->table);
    while (mdb_read_next_dpg(impl_->table) != 0) {
        place.page = impl_->table->cur_phys_pg;
        std::memcpy(page.data(), mdb->pg_buf, page.size());
        impl_->pageInBuffer = true;
        const int rowsOnPage = Read<quint16>(page.data() + fmt.row_count_offset);
        for (place.slot = 0; place.slot < rowsOnPage; ++place.slot) {
            const int entry = fmt.row_count_offset + 2 + 2 * place.slot;
            if (entry + 2 <= fmt.pg_size && (Read<quint16>(page.data() + entry) & DeletedRow)) {
                continue;
            }
            ++place.ordinal;
            try {
                impl_->ReadSlot(page, place.slot, values);
                each(values, place);
            } catch (const EJetUnreadable& e) {
                throw unreadable(e.Message());
            }
        }
    }
    // Pages that cannot be read end libmdb's walk early: rows would be lost.
    if (place.ordinal < RowCount()) {
        throw EJetUnreadable(
            QStringLiteral("表 %1 应有 %2 行，从第 %3 行起无法读取：文件可能已损坏或不完整。")
                .arg(impl_->name)
                .arg(RowCount())
                .arg(place.ordinal + 1));
    }
}
