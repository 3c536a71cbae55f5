#include "storage/JetSqlTranslator.h"

#include "storage/Errors.h"
#include "storage/JetDate.h"

#include <QRegularExpression>

#include <utility>
#include <vector>

namespace {

struct Token {
    enum Kind { Space, Word, Bracket, String, DateLiteral, Number, Symbol };
    Kind kind;
    QString text;  // as written
    QString value; // Word: upper case; String: content; Bracket: inner name; DateLiteral: inner
};

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

std::vector<Token> Tokenize(const QString& s) {
    std::vector<Token> tokens;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        qsizetype j = i + 1;
        if (c.isSpace()) {
            while (j < n && s[j].isSpace()) {
                ++j;
            }
            tokens.push_back({Token::Space, s.mid(i, j - i), {}});
        } else if (c == u'"' || c == u'\'') {
            QString value;
            while (j < n) {
                if (s[j] == c) {
                    if (j + 1 < n && s[j + 1] == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += s[j++];
            }
            tokens.push_back({Token::String, s.mid(i, j - i), value});
        } else if (c == u'#' && s.indexOf(u'#', i + 1) > 0) {
            j = s.indexOf(u'#', i + 1) + 1;
            tokens.push_back({Token::DateLiteral, s.mid(i, j - i), s.mid(i + 1, j - i - 2)});
        } else if (c == u'[' && s.indexOf(u']', i + 1) > 0) {
            j = s.indexOf(u']', i + 1) + 1;
            tokens.push_back({Token::Bracket, s.mid(i, j - i), s.mid(i + 1, j - i - 2)});
        } else if ((c.isDigit() && c.unicode() < 128) ||
                   (c == u'.' && i + 1 < n && s[i + 1].isDigit())) {
            while (j < n && ((s[j].isDigit() && s[j].unicode() < 128) || s[j] == u'.')) {
                ++j;
            }
            if (j < n && (s[j] == u'e' || s[j] == u'E')) {
                qsizetype k = j + 1;
                if (k < n && (s[k] == u'+' || s[k] == u'-')) {
                    ++k;
                }
                if (k < n && s[k].isDigit()) {
                    j = k;
                    while (j < n && s[j].isDigit()) {
                        ++j;
                    }
                }
            }
            tokens.push_back({Token::Number, s.mid(i, j - i), {}});
        } else if (IsWordChar(c)) {
            while (j < n && IsWordChar(s[j])) {
                ++j;
            }
            const QString word = s.mid(i, j - i);
            tokens.push_back({Token::Word, word, word.toUpper()});
        } else {
            if (j < n) {
                const QString two = s.mid(i, 2);
                if (two == QLatin1String("<=") || two == QLatin1String(">=") ||
                    two == QLatin1String("<>") || two == QLatin1String("!=")) {
                    j = i + 2;
                }
            }
            tokens.push_back({Token::Symbol, s.mid(i, j - i), {}});
        }
        i = j;
    }
    return tokens;
}

QString QuoteText(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\'', QLatin1String("''"));
    return u'\'' + quoted + u'\'';
}

QString QuoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(u'"', QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

// A Jet LIKE pattern as an SQLite LIKE pattern with "\" as escape character.
QString LikePattern(const QString& jet) {
    QString out;
    for (qsizetype i = 0; i < jet.size(); ++i) {
        QChar c = jet[i];
        if (c == u'[' && i + 2 < jet.size() && jet[i + 2] == u']') {
            c = jet[i + 1]; // [*] matches the character itself
            i += 2;
        } else if (c == u'*') {
            out += u'%';
            continue;
        } else if (c == u'?') {
            out += u'_';
            continue;
        }
        if (c == u'%' || c == u'_' || c == u'\\') {
            out += u'\\';
        }
        out += c;
    }
    return QuoteText(out) + QLatin1String(" ESCAPE '\\'");
}

QString DayNumberText(const QString& literal) {
    static const QRegularExpression iso(
        QStringLiteral("^\\s*(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:\\s+(.*))?$"));
    static const QRegularExpression us(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})(?:\\s+(.*))?$"));
    static const QRegularExpression clock(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*(AM|PM|am|pm)?\\s*$"));
    QDate date;
    QString timeText;
    if (const auto m = iso.match(literal); m.hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        timeText = m.captured(4);
    } else if (const auto u = us.match(literal); u.hasMatch()) {
        date = QDate(u.captured(3).toInt(), u.captured(1).toInt(), u.captured(2).toInt());
        timeText = u.captured(4);
    }
    if (!date.isValid()) {
        throw EOleException(QStringLiteral("日期“#%1#”的格式不正确。").arg(literal));
    }
    const qint64 day = JetDate::DayNumber(date);
    if (timeText.trimmed().isEmpty()) {
        return QString::number(day);
    }
    const auto t = clock.match(timeText.trimmed());
    if (!t.hasMatch()) {
        throw EOleException(QStringLiteral("日期“#%1#”的格式不正确。").arg(literal));
    }
    int hour = t.captured(1).toInt();
    const QString half = t.captured(4).toUpper();
    if (half == QLatin1String("PM") && hour < 12) {
        hour += 12;
    } else if (half == QLatin1String("AM") && hour == 12) {
        hour = 0;
    }
    const int seconds = hour * 3600 + t.captured(2).toInt() * 60 + t.captured(3).toInt();
    return QString::number(static_cast<double>(day) + seconds / 86400.0, 'f', 8);
}

struct TypeMapping {
    QString sqlType;
    TColumnKind kind;
    bool counter;
};

TypeMapping MapJetType(const QString& upper) {
    static const QHash<QString, TypeMapping> types = {
        {QStringLiteral("COUNTER"), {QStringLiteral("INTEGER"), TColumnKind::Integer, true}},
        {QStringLiteral("AUTOINCREMENT"), {QStringLiteral("INTEGER"), TColumnKind::Integer, true}},
        {QStringLiteral("INTEGER"), {QStringLiteral("INTEGER"), TColumnKind::Integer, false}},
        {QStringLiteral("INT"), {QStringLiteral("INTEGER"), TColumnKind::Integer, false}},
        {QStringLiteral("LONG"), {QStringLiteral("INTEGER"), TColumnKind::Integer, false}},
        {QStringLiteral("SHORT"), {QStringLiteral("INTEGER"), TColumnKind::Integer, false}},
        {QStringLiteral("SMALLINT"), {QStringLiteral("INTEGER"), TColumnKind::Integer, false}},
        {QStringLiteral("BYTE"), {QStringLiteral("INTEGER"), TColumnKind::Integer, false}},
        {QStringLiteral("YESNO"), {QStringLiteral("INTEGER"), TColumnKind::Integer, false}},
        {QStringLiteral("BIT"), {QStringLiteral("INTEGER"), TColumnKind::Integer, false}},
        {QStringLiteral("CURRENCY"), {QStringLiteral("CURRENCY"), TColumnKind::Currency, false}},
        {QStringLiteral("MONEY"), {QStringLiteral("CURRENCY"), TColumnKind::Currency, false}},
        {QStringLiteral("DATE"), {QStringLiteral("DATETIME"), TColumnKind::Date, false}},
        {QStringLiteral("DATETIME"), {QStringLiteral("DATETIME"), TColumnKind::Date, false}},
        {QStringLiteral("TIME"), {QStringLiteral("DATETIME"), TColumnKind::Date, false}},
        {QStringLiteral("TEXT"), {QStringLiteral("TEXT"), TColumnKind::Text, false}},
        {QStringLiteral("CHAR"), {QStringLiteral("TEXT"), TColumnKind::Text, false}},
        {QStringLiteral("VARCHAR"), {QStringLiteral("TEXT"), TColumnKind::Text, false}},
        {QStringLiteral("MEMO"), {QStringLiteral("TEXT"), TColumnKind::Text, false}},
        {QStringLiteral("DOUBLE"), {QStringLiteral("REAL"), TColumnKind::Float, false}},
        {QStringLiteral("FLOAT"), {QStringLiteral("REAL"), TColumnKind::Float, false}},
        {QStringLiteral("SINGLE"), {QStringLiteral("REAL"), TColumnKind::Float, false}},
        {QStringLiteral("REAL"), {QStringLiteral("REAL"), TColumnKind::Float, false}},
    };
    const auto found = types.constFind(upper);
    if (found == types.constEnd()) {
        throw EOleException(QStringLiteral("不支持的字段类型“%1”。").arg(upper));
    }
    return *found;
}

class Translator {
public:
    Translator(const QString& sql, const TCatalog& catalog)
        : tokens_(Tokenize(sql)), catalog_(catalog) {}

    TTranslation Run();

private:
    using Range = std::pair<size_t, size_t>;

    size_t Skip(size_t i, size_t end) const {
        while (i < end && tokens_[i].kind == Token::Space) {
            ++i;
        }
        return i;
    }
    bool WordAt(size_t i, const char* upper) const {
        return i < tokens_.size() && tokens_[i].kind == Token::Word &&
               tokens_[i].value == QLatin1String(upper);
    }
    bool SymbolAt(size_t i, const char* symbol) const {
        return i < tokens_.size() && tokens_[i].kind == Token::Symbol &&
               tokens_[i].text == QLatin1String(symbol);
    }
    size_t MatchParen(size_t open, size_t end) const;
    std::vector<Range> SplitTopLevel(size_t begin, size_t end) const;
    size_t FindTopLevelWord(size_t begin, size_t end, const char* upper) const;
    QString NameOf(size_t i) const;

    QString Emit(size_t begin, size_t end);
    QString EmitFunction(size_t word, size_t open, size_t close, size_t end, size_t* resume);
    QString EmitUpdate(size_t begin, size_t end);
    QString EmitCreateTable(size_t name, size_t end);
    QString ColumnDefinition(size_t begin, size_t end);
    QStringList EmitAlterTable(size_t name, size_t end);
    void CollectAliases();
    void FindUpdatableTable(size_t begin, size_t end);

    std::vector<Token> tokens_;
    const TCatalog& catalog_;
    QStringList declaredParameters_;
    TTranslation result_;
};

size_t Translator::MatchParen(size_t open, size_t end) const {
    int depth = 0;
    for (size_t i = open; i < end; ++i) {
        if (SymbolAt(i, "(")) {
            ++depth;
        } else if (SymbolAt(i, ")") && --depth == 0) {
            return i;
        }
    }
    return end;
}

std::vector<Translator::Range> Translator::SplitTopLevel(size_t begin, size_t end) const {
    std::vector<Range> parts;
    int depth = 0;
    size_t start = begin;
    for (size_t i = begin; i < end; ++i) {
        if (SymbolAt(i, "(")) {
            ++depth;
        } else if (SymbolAt(i, ")")) {
            --depth;
        } else if (depth == 0 && SymbolAt(i, ",")) {
            parts.emplace_back(start, i);
            start = i + 1;
        }
    }
    parts.emplace_back(start, end);
    return parts;
}

size_t Translator::FindTopLevelWord(size_t begin, size_t end, const char* upper) const {
    int depth = 0;
    for (size_t i = begin; i < end; ++i) {
        if (SymbolAt(i, "(")) {
            ++depth;
        } else if (SymbolAt(i, ")")) {
            --depth;
        } else if (depth == 0 && WordAt(i, upper)) {
            return i;
        }
    }
    return end;
}

QString Translator::NameOf(size_t i) const {
    if (i >= tokens_.size()) {
        return {};
    }
    return tokens_[i].kind == Token::Bracket ? tokens_[i].value : tokens_[i].text;
}

QString Translator::Emit(size_t begin, size_t end) {
    QString out;
    int depth = 0;
    std::vector<std::pair<int, QString>> limits; // (depth of the SELECT, row count)
    QString previousWord;                        // upper-case previous significant word
    for (size_t i = begin; i < end; ++i) {
        const Token& tk = tokens_[i];
        QString word;
        switch (tk.kind) {
        case Token::Space:
            out += u' ';
            continue;
        case Token::String:
            out +=
                previousWord == QLatin1String("LIKE") ? LikePattern(tk.value) : QuoteText(tk.value);
            break;
        case Token::DateLiteral:
            out += DayNumberText(tk.value);
            break;
        case Token::Bracket:
            if (declaredParameters_.contains(tk.value, Qt::CaseInsensitive)) {
                out += u'?';
                result_.parameters.append(tk.value);
            } else {
                out += QuoteName(tk.value);
            }
            break;
        case Token::Number:
            out += tk.text;
            break;
        case Token::Symbol:
            if (tk.text == QLatin1String("(")) {
                ++depth;
            } else if (tk.text == QLatin1String(")")) {
                if (!limits.empty() && limits.back().first == depth) {
                    out += QLatin1String(" LIMIT ") + limits.back().second;
                    limits.pop_back();
                }
                --depth;
            }
            if (tk.text == QLatin1String("/")) {
                out += QLatin1String("*1.0/ ");
            } else if (tk.text == QLatin1String("&")) {
                out += QLatin1String("||");
            } else {
                if (tk.text == QLatin1String("-") && out.endsWith(u'-')) {
                    out += u' '; // "--" would start a comment
                }
                out += tk.text;
            }
            break;
        case Token::Word: {
            word = tk.value;
            const size_t next = Skip(i + 1, end);
            if (word == QLatin1String("TOP") && tokens_[next].kind == Token::Number &&
                (previousWord == QLatin1String("SELECT") ||
                 previousWord == QLatin1String("DISTINCT") ||
                 previousWord == QLatin1String("DISTINCTROW") ||
                 previousWord == QLatin1String("ALL"))) {
                limits.emplace_back(depth, tokens_[next].text);
                i = next + 1 < end && tokens_[next + 1].kind == Token::Space ? next + 1 : next;
                continue;
            }
            if (word == QLatin1String("DISTINCTROW")) {
                out += QLatin1String("DISTINCT");
            } else if (word == QLatin1String("DELETE") && SymbolAt(next, "*")) {
                out += tk.text;
                i = next;
            } else if (SymbolAt(next, "(") && !SymbolAt(i == 0 ? 0 : i - 1, ".")) {
                size_t resume = i;
                const QString call = EmitFunction(i, next, MatchParen(next, end), end, &resume);
                if (call.isNull()) {
                    out += tk.text;
                } else {
                    out += call;
                    i = resume;
                }
            } else if ((word == QLatin1String("TRUE") || word == QLatin1String("FALSE")) &&
                       !SymbolAt(next, ".") && !(i > 0 && SymbolAt(i - 1, "."))) {
                out += word == QLatin1String("TRUE") ? QLatin1String("-1") : QLatin1String("0");
            } else {
                out += tk.text;
            }
            break;
        }
        }
        previousWord = word;
    }
    while (!limits.empty()) {
        out += QLatin1String(" LIMIT ") + limits.back().second;
        limits.pop_back();
    }
    return out;
}

// Jet functions without an SQLite twin of the same name. Returns a null string
// for every other name, which is then written as it stands.
QString Translator::EmitFunction(size_t word, size_t open, size_t close, size_t end,
                                 size_t* resume) {
    const QString& name = tokens_[word].value;
    if (close >= end) {
        return {};
    }
    const std::vector<Range> args = SplitTopLevel(open + 1, close);
    const bool noArguments = Skip(open + 1, close) == close;
    auto arg = [&](size_t n) { return Emit(args[n].first, args[n].second).trimmed(); };
    // The first argument of Left/Right/Mid: a date column is cut as its date text.
    auto textArg = [&]() {
        const size_t first = Skip(args[0].first, args[0].second);
        size_t last = args[0].second;
        while (last > first && tokens_[last - 1].kind == Token::Space) {
            --last;
        }
        const QString column = NameOf(last - 1);
        const bool simpleColumn = last > first && (tokens_[last - 1].kind == Token::Word ||
                                                   tokens_[last - 1].kind == Token::Bracket);
        if (simpleColumn &&
            (last - first == 1 || (last - first == 3 && SymbolAt(first + 1, "."))) &&
            catalog_.IsDateColumnName(column)) {
            return QLatin1String("jet_datetext(") + arg(0) + u')';
        }
        return arg(0);
    };
    QString call;
    if (name == QLatin1String("DATE") && noArguments) {
        call = QStringLiteral("jet_today()");
    } else if (name == QLatin1String("NOW") && noArguments) {
        call = QStringLiteral("jet_now()");
    } else if (name == QLatin1String("LEFT") && args.size() == 2) {
        call = QLatin1String("substr(") + textArg() + QLatin1String(",1,") + arg(1) + u')';
    } else if (name == QLatin1String("RIGHT") && args.size() == 2) {
        call = QLatin1String("substr(") + textArg() + QLatin1String(",-(") + arg(1) +
               QLatin1String("))");
    } else if (name == QLatin1String("MID") && (args.size() == 2 || args.size() == 3)) {
        call = QLatin1String("substr(") + textArg() + u',' + arg(1) +
               (args.size() == 3 ? u',' + arg(2) : QString()) + u')';
    } else if (name == QLatin1String("LEN") && args.size() == 1) {
        call = QLatin1String("length(") + arg(0) + u')';
    } else if (name == QLatin1String("UCASE") && args.size() == 1) {
        call = QLatin1String("upper(") + arg(0) + u')';
    } else if (name == QLatin1String("LCASE") && args.size() == 1) {
        call = QLatin1String("lower(") + arg(0) + u')';
    } else if (name == QLatin1String("NZ") && (args.size() == 1 || args.size() == 2)) {
        call = QLatin1String("ifnull(") + arg(0) + u',' +
               (args.size() == 2 ? arg(1) : QStringLiteral("0")) + u')';
    } else {
        return {};
    }
    *resume = close;
    return call;
}

QString Translator::EmitUpdate(size_t begin, size_t end) {
    const size_t table = Skip(Skip(begin, end) + 1, end);
    const size_t set = FindTopLevelWord(table, end, "SET");
    if (set >= end) {
        return Emit(begin, end);
    }
    const size_t where = FindTopLevelWord(set, end, "WHERE");
    QString out = Emit(begin, set + 1);
    const QString tableName = NameOf(table);
    QStringList assignments;
    for (const auto& [from, to] : SplitTopLevel(set + 1, where)) {
        size_t equals = from;
        while (equals < to && !SymbolAt(equals, "=")) {
            ++equals;
        }
        if (equals >= to) {
            assignments.append(Emit(from, to));
            continue;
        }
        size_t target = equals;
        while (target > from && tokens_[target - 1].kind == Token::Space) {
            --target;
        }
        const QString column = NameOf(target - 1);
        const QString expression = Emit(equals + 1, to).trimmed();
        if (catalog_.KindOf(tableName, column) == TColumnKind::Currency) {
            assignments.append(Emit(from, equals) + QLatin1String("=jet_money(") + expression +
                               u')');
        } else {
            assignments.append(Emit(from, equals) + u'=' + expression);
        }
    }
    out += assignments.join(u',');
    if (where < end) {
        out += u' ' + Emit(where, end).trimmed();
    }
    return out;
}

QString Translator::ColumnDefinition(size_t begin, size_t end) {
    const size_t nameIndex = Skip(begin, end);
    if (WordAt(nameIndex, "CONSTRAINT") || WordAt(nameIndex, "PRIMARY") ||
        WordAt(nameIndex, "UNIQUE") || WordAt(nameIndex, "FOREIGN") || WordAt(nameIndex, "CHECK")) {
        return Emit(begin, end).trimmed();
    }
    const QString columnName = NameOf(nameIndex);
    size_t i = Skip(nameIndex + 1, end);
    if (i >= end || tokens_[i].kind != Token::Word) {
        throw EOleException(QStringLiteral("字段“%1”缺少类型。").arg(columnName));
    }
    const TypeMapping type = MapJetType(tokens_[i].value);
    QString out = QuoteName(columnName) + u' ' + type.sqlType;
    i = Skip(i + 1, end);
    if (SymbolAt(i, "(")) {
        const size_t close = MatchParen(i, end);
        out += u'(' + Emit(i + 1, close).trimmed() + u')';
        i = Skip(close + 1, end);
    }
    if (type.kind == TColumnKind::Text) {
        out += QLatin1String(" COLLATE NOCASE");
    }
    bool primaryKey = false;
    bool notNull = false;
    bool hasDefault = false;
    while (i < end) {
        const Token& tk = tokens_[i];
        if (WordAt(i, "PRIMARY")) {
            const size_t key = Skip(i + 1, end);
            out += QLatin1String(" PRIMARY KEY");
            if (type.counter) {
                out += QLatin1String(" AUTOINCREMENT");
            }
            primaryKey = true;
            i = WordAt(key, "KEY") ? key : i;
        } else if (WordAt(i, "NOT") && WordAt(Skip(i + 1, end), "NULL")) {
            out += QLatin1String(" NOT NULL");
            notNull = true;
            i = Skip(i + 1, end);
        } else if (WordAt(i, "CONSTRAINT")) {
            const size_t constraintName = Skip(i + 1, end);
            out += QLatin1String(" CONSTRAINT ") + QuoteName(NameOf(constraintName));
            i = constraintName;
        } else if (WordAt(i, "DEFAULT")) {
            hasDefault = true;
            out += u' ' + tk.text;
        } else {
            out += u' ' + Emit(i, i + 1);
        }
        i = Skip(i + 1, end);
    }
    if (type.counter && !primaryKey) {
        out += QLatin1String(" PRIMARY KEY AUTOINCREMENT");
        primaryKey = true;
    }
    if (notNull && !primaryKey && !hasDefault) {
        out += type.kind == TColumnKind::Text ? QLatin1String(" DEFAULT ''")
                                              : QLatin1String(" DEFAULT 0");
    }
    return out;
}

QString Translator::EmitCreateTable(size_t name, size_t end) {
    const size_t open = Skip(name + 1, end);
    if (!SymbolAt(open, "(")) {
        return Emit(0, end);
    }
    const size_t close = MatchParen(open, end);
    QStringList definitions;
    for (const auto& [from, to] : SplitTopLevel(open + 1, close)) {
        definitions.append(ColumnDefinition(from, to));
    }
    return QLatin1String("CREATE TABLE ") + QuoteName(NameOf(name)) + QLatin1String(" (") +
           definitions.join(QLatin1String(", ")) + u')';
}

QStringList Translator::EmitAlterTable(size_t name, size_t end) {
    const QString table = NameOf(name);
    const QString head = QLatin1String("ALTER TABLE ") + QuoteName(table);
    size_t action = Skip(name + 1, end);
    if (WordAt(action, "ADD")) {
        size_t what = Skip(action + 1, end);
        if (WordAt(what, "CONSTRAINT")) {
            const size_t constraintName = Skip(what + 1, end);
            size_t kind = Skip(constraintName + 1, end);
            if (WordAt(kind, "PRIMARY")) {
                kind = Skip(kind + 1, end); // KEY
            }
            const size_t open = Skip(kind + 1, end);
            const QString unique = WordAt(kind, "UNIQUE") || WordAt(kind, "KEY")
                                       ? QStringLiteral("UNIQUE ")
                                       : QString();
            return {QLatin1String("CREATE ") + unique + QLatin1String("INDEX ") +
                    QuoteName(NameOf(constraintName)) + QLatin1String(" ON ") + QuoteName(table) +
                    u' ' + Emit(open, end).trimmed()};
        }
        if (WordAt(what, "COLUMN")) {
            what = Skip(what + 1, end);
        }
        return {head + QLatin1String(" ADD COLUMN ") + ColumnDefinition(what, end)};
    }
    if (WordAt(action, "DROP")) {
        size_t what = Skip(action + 1, end);
        if (WordAt(what, "CONSTRAINT")) {
            return {QLatin1String("DROP INDEX IF EXISTS ") +
                    QuoteName(NameOf(Skip(what + 1, end)))};
        }
        if (WordAt(what, "COLUMN")) {
            what = Skip(what + 1, end);
        }
        const QString column = NameOf(what);
        QStringList statements;
        for (const QString& index : catalog_.IndexesOnColumn(table, column)) {
            statements.append(QLatin1String("DROP INDEX ") + QuoteName(index));
        }
        statements.append(head + QLatin1String(" DROP COLUMN ") + QuoteName(column));
        return statements;
    }
    throw EOleException(QStringLiteral("不支持的 ALTER TABLE 语句。"));
}

void Translator::CollectAliases() {
    for (size_t i = 0; i < tokens_.size(); ++i) {
        if (tokens_[i].kind != Token::Word && tokens_[i].kind != Token::Bracket) {
            continue;
        }
        const size_t as = Skip(i + 1, tokens_.size());
        if (!WordAt(as, "AS")) {
            continue;
        }
        const size_t alias = Skip(as + 1, tokens_.size());
        const QString table = NameOf(i);
        if (alias < tokens_.size() && catalog_.HasTable(table) &&
            (tokens_[alias].kind == Token::Word || tokens_[alias].kind == Token::Bracket)) {
            result_.aliases.insert(NameOf(alias).toLower(), table);
        }
    }
}

void Translator::FindUpdatableTable(size_t begin, size_t end) {
    for (const char* word : {"UNION", "GROUP", "DISTINCT", "DISTINCTROW", "JOIN"}) {
        if (FindTopLevelWord(begin, end, word) < end) {
            return;
        }
    }
    const size_t from = FindTopLevelWord(begin, end, "FROM");
    const size_t table = Skip(from + 1, end);
    if (from >= end || table >= end ||
        (tokens_[table].kind != Token::Word && tokens_[table].kind != Token::Bracket)) {
        return;
    }
    size_t after = Skip(table + 1, end);
    if (WordAt(after, "AS")) {
        after = Skip(Skip(after + 1, end) + 1, end);
    }
    if (after >= end || WordAt(after, "WHERE") || WordAt(after, "ORDER")) {
        result_.updatableTable = NameOf(table);
    }
}

TTranslation Translator::Run() {
    const size_t end = tokens_.size();
    size_t start = Skip(0, end);
    if (WordAt(start, "PARAMETERS")) {
        size_t i = start + 1;
        while (i < end && !SymbolAt(i, ";")) {
            if (tokens_[i].kind == Token::Bracket) {
                declaredParameters_.append(tokens_[i].value);
            }
            ++i;
        }
        start = Skip(i + 1, end);
    }
    size_t stop = end;
    while (stop > start && (tokens_[stop - 1].kind == Token::Space || SymbolAt(stop - 1, ";"))) {
        --stop;
    }
    if (start >= stop) {
        throw EOleException(QStringLiteral("SQL 语句是空的。"));
    }
    CollectAliases();
    if (WordAt(start, "SELECT") || SymbolAt(start, "(")) {
        result_.isQuery = true;
        FindUpdatableTable(start, stop);
        result_.statements.append(Emit(start, stop).trimmed());
    } else if (WordAt(start, "UPDATE")) {
        result_.statements.append(EmitUpdate(start, stop).trimmed());
    } else if (WordAt(start, "CREATE") && WordAt(Skip(start + 1, stop), "TABLE")) {
        result_.changesSchema = true;
        result_.statements.append(EmitCreateTable(Skip(Skip(start + 1, stop) + 1, stop), stop));
    } else if (WordAt(start, "ALTER") && WordAt(Skip(start + 1, stop), "TABLE")) {
        result_.changesSchema = true;
        result_.statements = EmitAlterTable(Skip(Skip(start + 1, stop) + 1, stop), stop);
    } else if (WordAt(start, "CREATE") || WordAt(start, "DROP")) {
        result_.changesSchema = true;
        QString statement = Emit(start, stop).trimmed();
        // Jet writes DROP INDEX name ON table; SQLite index names are global.
        static const QRegularExpression dropIndexOn(
            QStringLiteral("^(DROP\\s+INDEX\\s+\\S+)\\s+ON\\s+\\S+$"),
            QRegularExpression::CaseInsensitiveOption);
        statement.replace(dropIndexOn, QStringLiteral("\\1"));
        result_.statements.append(statement);
    } else {
        result_.statements.append(Emit(start, stop).trimmed());
    }
    return std::move(result_);
}

} // namespace

TTranslation TJetSqlTranslator::Translate(const QString& jetSql, const TCatalog& catalog) {
    return Translator(jetSql, catalog).Run();
}
