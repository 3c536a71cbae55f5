#include "storage/PickSearch.h"

#include "storage/Pinyin.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"

namespace {

// A line gives the name 10 characters when its column is declared wider than
// 20, and code and initials 10 when theirs are wider than 14. Every Name, Code
// and Spell column of the ledger is (TEXT(50) and TEXT(100), TbPlayer.Spell
// TEXT(20)), so the widths are fixed.
constexpr int NameWidth = 10;
constexpr int CodeWidth = 10;
constexpr int SpellWidth = 10;

const QString InStock = QStringLiteral("√");
const QString NotInStock = QStringLiteral("ⅹ");

// Display columns of one character: ASCII takes one, a character of two GBK
// bytes (every Chinese character) two.
int CharWidth(char32_t c) {
    return c < 128 ? 1 : 2;
}

int DisplayWidth(const QString& text) {
    int width = 0;
    for (const char32_t c : text.toUcs4()) {
        width += CharWidth(c);
    }
    return width;
}

// The longest start of `text` that fits in `width` columns; a double-width
// character is never split.
QString CutToWidth(const QString& text, int width) {
    QString out;
    for (const char32_t c : text.toUcs4()) {
        width -= CharWidth(c);
        if (width < 0) {
            break;
        }
        out += QString::fromUcs4(&c, 1);
    }
    return out;
}

QString PadToWidth(const QString& text, int width) {
    return text + QString(qMax(0, width - DisplayWidth(text)), u' ');
}

} // namespace

void TPickSearch::Setup(TDAODatabase* database, const QString& sql, bool withStatus,
                        bool withCode) {
    Database = database;
    BaseSql = sql;
    FieldKey = QStringLiteral("Id");
    FieldList = QStringLiteral("Name");
    FieldCode = withCode ? QStringLiteral("Code") : QString();
    FieldSpell = QStringLiteral("Spell");
    FieldStatus = withStatus ? QStringLiteral("Status") : QString();
}

TPickSearch::TKind TPickSearch::Classify(const QString& normalized) {
    bool lettersOnly = true;
    for (const QChar c : normalized) {
        if (c.unicode() >= 128) {
            return TKind::Name;
        }
        lettersOnly = lettersOnly && ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'));
    }
    return lettersOnly ? TKind::Initials : TKind::Code;
}

QString TPickSearch::FilterFor(const QString& typed) const {
    const QString text = Pinyin::Normalize(typed);
    if (text.isEmpty()) {
        return {};
    }
    const TKind kind = Classify(text);
    const QString& column = kind == TKind::Name   ? FieldList
                            : kind == TKind::Code ? FieldCode
                                                  : FieldSpell;
    if (column.isEmpty()) {
        return {};
    }
    const QString pattern = BaseSql.contains(QLatin1String("WHERE"), Qt::CaseInsensitive)
                                ? QStringLiteral(" AND %s LIKE \"%s*\"")
                                : QStringLiteral(" WHERE %s LIKE \"%s*\"");
    return Pinyin::UpperAscii(SqlFormat(pattern, {column, LikeLiteral(text)}));
}

TPickSearch::TWidths TPickSearch::Widths() const {
    return {NameWidth, FieldCode.isEmpty() ? 0 : CodeWidth, SpellWidth,
            FieldStatus.isEmpty() ? 0 : 1};
}

void TPickSearch::Search(const QString& typed) {
    filter_ = FilterFor(typed);
    lastToldKey_ = NoKey;
    selectedKey_ = NoKey;
    current_ = -1;
    listOpen_ = false;
    boxText_ = typed;
    ReadRows();
    const int match = MatchingLine(Pinyin::Normalize(typed));
    if (lines_.size() > 1) {
        // Several rows of a search are offered in the list; the whole table
        // (no filter) is no answer to what was typed.
        listOpen_ = !filter_.isEmpty();
        current_ = listOpen_ ? match : -1;
    } else if (match >= 0) {
        Select(match);
    }
}

void TPickSearch::Choose(int index) {
    if (index >= 0 && index < lines_.size()) {
        Select(index);
    }
}

bool TPickSearch::TakeChange(bool marked) {
    if (!marked || selectedKey_ == NoKey || selectedKey_ == lastToldKey_) {
        return false;
    }
    lastToldKey_ = selectedKey_;
    return true;
}

void TPickSearch::ReadRows() {
    lines_.clear();
    keys_.clear();
    rows_.clear();
    query_.Close();
    query_.SetDatabase(Database);
    query_.SetSQL(BaseSql + filter_);
    const TWidths widths = Widths();
    try {
        query_.Open();
        const TField key = query_.FieldByName(FieldKey);
        const TField name = query_.FieldByName(FieldList);
        const TField spell = query_.FieldByName(FieldSpell);
        for (; !query_.Eof(); query_.Next()) {
            TRow row;
            row.fullName = name.AsString().trimmed();
            row.name = CutToWidth(row.fullName, widths.name).trimmed();
            if (!FieldCode.isEmpty()) {
                row.code = Pinyin::UpperAscii(query_.FieldByName(FieldCode).AsString().trimmed());
            }
            row.spell = spell.AsString().trimmed();
            const int status =
                FieldStatus.isEmpty() ? 0 : int(query_.FieldByName(FieldStatus).AsInteger());
            lines_.append(LayOut(row, status, widths));
            keys_.append(int(key.AsInteger()));
            rows_.append(row);
        }
    } catch (const EOleException&) {
        // A search the engine cannot answer shows an empty list.
        lines_.clear();
        keys_.clear();
        rows_.clear();
    }
    query_.Close();
}

QString TPickSearch::LayOut(const TRow& row, int status, const TWidths& widths) const {
    QString line = PadToWidth(row.name, widths.name) + PadToWidth(row.code, widths.code) +
                   PadToWidth(row.spell, widths.spell);
    if (!FieldStatus.isEmpty()) {
        line += PadToWidth(status == 1 ? InStock : NotInStock, widths.status);
    }
    return line;
}

int TPickSearch::MatchingLine(const QString& normalized) const {
    if (normalized.isEmpty()) {
        return -1;
    }
    const TKind kind = Classify(normalized);
    const QString needle = Pinyin::UpperAscii(normalized);
    for (int i = 0; i < rows_.size(); ++i) {
        const TRow& row = rows_[i];
        const QString& column = kind == TKind::Name   ? row.fullName
                                : kind == TKind::Code ? row.code
                                                      : row.spell;
        if (Pinyin::UpperAscii(column).contains(needle)) {
            return i;
        }
    }
    return -1;
}

void TPickSearch::Select(int index) {
    current_ = index;
    selectedKey_ = keys_[index];
    boxText_ = rows_[index].name;
    listOpen_ = false;
}
