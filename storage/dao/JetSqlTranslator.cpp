#include "storage/dao/JetSqlTranslator.h"

#include "storage/JetDate.h"
#include "storage/dao/Errors.h"
#include "storage/dao/Format.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
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
    // Whether a "#" or "]" closes further on, without searching the rest of the
    // text again for every opening one.
    const qsizetype lastHash = s.lastIndexOf(u'#');
    const qsizetype lastBracket = s.lastIndexOf(u']');
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
            bool closed = false;
            while (j < n) {
                if (s[j] == c) {
                    if (j + 1 < n && s[j + 1] == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    ++j;
                    closed = true;
                    break;
                }
                value += s[j++];
            }
            if (!closed) {
                throw EOleException(QStringLiteral("SQL 语句中的文字缺少结束的引号 %1。").arg(c));
            }
            tokens.push_back({Token::String, s.mid(i, j - i), value});
        } else if (c == u'#') {
            if (lastHash <= i) {
                throw EOleException(QStringLiteral("SQL 语句中的日期缺少结束的“#”。"));
            }
            j = s.indexOf(u'#', i + 1) + 1;
            tokens.push_back({Token::DateLiteral, s.mid(i, j - i), s.mid(i + 1, j - i - 2)});
        } else if (c == u'[' && lastBracket > i) {
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

// Deepest nesting of parentheses and function calls taken. The translation
// recurses once per nested call; SQLite's parser takes about this many nested
// calls and refuses deeper ones with its own error ("parser stack overflow").
constexpr int MaxNesting = 30;

class Translator {
public:
    Translator(const QString& sql, const TCatalog& catalog)
        : tokens_(Tokenize(sql)), catalog_(catalog), repeatBudget_(16 * sql.size() + 4096) {
        MatchParentheses();
    }

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
    void MatchParentheses();
    size_t MatchParen(size_t open, size_t end) const;
    size_t SkipGroup(size_t i, size_t end) const;
    std::vector<Range> SplitTopLevel(size_t begin, size_t end) const;
    size_t FindTopLevelWord(size_t begin, size_t end, const char* upper) const;
    QString NameOf(size_t i) const;

    QString Emit(size_t begin, size_t end);
    QString EmitFunction(size_t word, size_t open, size_t close, size_t end, size_t* resume);
    bool IsDeclaredParameter(const QString& name) const;
    void ChargeRepeat(qsizetype chars);
    bool IsDateColumn(const Range& argument) const;
    QString EmitUpdate(size_t begin, size_t end);
    QString EmitCreateTable(size_t name, size_t end);
    QString ColumnDefinition(size_t begin, size_t end);
    QStringList EmitAlterTable(size_t name, size_t end);
    size_t TriggerBodyEnd(size_t start, size_t stop) const;
    void CollectAliases();
    void FindUpdatableTable(size_t begin, size_t end);

    std::vector<Token> tokens_;
    const TCatalog& catalog_;
    std::vector<size_t> match_;        // for each "(" its ")", tokens_.size() when unclosed
    QSet<QString> declaredParameters_; // lower case
    qsizetype repeatBudget_;           // characters still allowed for repeated arguments
    TTranslation result_;
};

// Pairs every parenthesis once, so that finding a group's end or stepping over
// it costs nothing however deep the statement nests.
void Translator::MatchParentheses() {
    match_.assign(tokens_.size(), tokens_.size());
    std::vector<size_t> open;
    for (size_t i = 0; i < tokens_.size(); ++i) {
        if (SymbolAt(i, "(")) {
            open.push_back(i);
            if (open.size() > size_t(MaxNesting)) {
                throw EOleException(
                    QStringLiteral("SQL 语句中的括号或函数嵌套超过 %1 层，无法执行。")
                        .arg(MaxNesting));
            }
        } else if (SymbolAt(i, ")") && !open.empty()) {
            match_[open.back()] = i;
            open.pop_back();
        }
    }
}

size_t Translator::MatchParen(size_t open, size_t end) const {
    return SymbolAt(open, "(") && match_[open] < end ? match_[open] : end;
}

// The index after token i, or after the whole group when i opens one.
size_t Translator::SkipGroup(size_t i, size_t end) const {
    return SymbolAt(i, "(") ? std::min(MatchParen(i, end) + 1, end) : i + 1;
}

std::vector<Translator::Range> Translator::SplitTopLevel(size_t begin, size_t end) const {
    std::vector<Range> parts;
    size_t start = begin;
    for (size_t i = begin; i < end; i = SkipGroup(i, end)) {
        if (SymbolAt(i, ",")) {
            parts.emplace_back(start, i);
            start = i + 1;
        }
    }
    parts.emplace_back(start, end);
    return parts;
}

size_t Translator::FindTopLevelWord(size_t begin, size_t end, const char* upper) const {
    for (size_t i = begin; i < end; i = SkipGroup(i, end)) {
        if (WordAt(i, upper)) {
            return i;
        }
    }
    return end;
}

bool Translator::IsDeclaredParameter(const QString& name) const {
    return declaredParameters_.contains(name.toLower());
}

// Where the SQLite form repeats an argument, each nesting level multiplies
// the text; the repeats may add at most a fixed multiple of the statement's
// length, so translation stays linear in it.
void Translator::ChargeRepeat(qsizetype chars) {
    repeatBudget_ -= chars;
    if (repeatBudget_ < 0) {
        throw EOleException(QStringLiteral("SQL 语句过于复杂，无法执行。"));
    }
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
            if (IsDeclaredParameter(tk.value)) {
                out += u'?';
                result_.parameters.append(tk.value);
            } else {
                // Square brackets, not double quotes: SQLite reads an unknown
                // double-quoted name as a text value, so a misspelt column
                // would be written as text instead of failing.
                out += u'[' + tk.value + u']';
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
            if (word == QLatin1String("TOP") && next < end && tokens_[next].kind == Token::Number &&
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
            } else if (word == QLatin1String("MOD") && !(i > 0 && SymbolAt(i - 1, "."))) {
                out += u'%';
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

// The Jet functions that SQLite lacks or names differently, with the argument
// counts they take.
bool IsTranslatedFunction(const QString& name, size_t arguments) {
    struct Arity {
        size_t least;
        size_t most;
    };
    static const QHash<QString, Arity> functions = {
        {QStringLiteral("DATE"), {0, 0}},  {QStringLiteral("NOW"), {0, 0}},
        {QStringLiteral("LEFT"), {2, 2}},  {QStringLiteral("RIGHT"), {2, 2}},
        {QStringLiteral("MID"), {2, 3}},   {QStringLiteral("LEN"), {1, 1}},
        {QStringLiteral("UCASE"), {1, 1}}, {QStringLiteral("LCASE"), {1, 1}},
        {QStringLiteral("NZ"), {1, 2}},    {QStringLiteral("ISNULL"), {1, 1}},
        {QStringLiteral("VAL"), {1, 1}},   {QStringLiteral("CSTR"), {1, 1}},
        {QStringLiteral("INT"), {1, 1}},   {QStringLiteral("FIX"), {1, 1}},
        {QStringLiteral("YEAR"), {1, 1}},  {QStringLiteral("MONTH"), {1, 1}},
        {QStringLiteral("DAY"), {1, 1}},
    };
    const auto found = functions.constFind(name);
    return found != functions.constEnd() && arguments >= found->least && arguments <= found->most;
}

// Jet functions without an SQLite twin of the same name. Returns a null string
// for every other name, which is then written as it stands.
QString Translator::EmitFunction(size_t word, size_t open, size_t close, size_t end,
                                 size_t* resume) {
    const QString& name = tokens_[word].value;
    if (close >= end) {
        return {};
    }
    const std::vector<Range> ranges = SplitTopLevel(open + 1, close);
    const size_t count = Skip(open + 1, close) == close ? 0 : ranges.size();
    if (!IsTranslatedFunction(name, count)) {
        return {};
    }
    // Each argument is emitted once, left to right, so the declared parameters
    // in it keep their positions; `again` emits one more copy where the SQLite
    // form repeats an argument, which then must come after the first copy.
    QStringList args;
    std::vector<QStringList> argParameters; // the parameters each argument holds, in order
    for (size_t n = 0; n < count; ++n) {
        const qsizetype before = result_.parameters.size();
        args.append(Emit(ranges[n].first, ranges[n].second).trimmed());
        argParameters.push_back(result_.parameters.mid(before));
    }
    auto again = [&](size_t n) {
        ChargeRepeat(args[n].size());
        result_.parameters += argParameters[n];
        return args[n];
    };
    // A date column given as text (to Left, Right, Mid and CStr) is its date text.
    auto text = [&](size_t n) {
        return IsDateColumn(ranges[n]) ? QLatin1String("jet_datetext(") + args[n] + u')' : args[n];
    };
    // Year, Month and Day cut the parts of the yyyy-MM-dd text of a date.
    auto datePart = [&](int from, int length) {
        return QStringLiteral("CAST(substr(jet_datetext(%1),%2,%3) AS INTEGER)")
            .arg(args[0], QString::number(from), QString::number(length));
    };
    QString call;
    if (name == QLatin1String("DATE")) {
        call = QStringLiteral("jet_today()");
    } else if (name == QLatin1String("NOW")) {
        call = QStringLiteral("jet_now()");
    } else if (name == QLatin1String("LEFT")) {
        call = QLatin1String("substr(") + text(0) + QLatin1String(",1,") + args[1] + u')';
    } else if (name == QLatin1String("RIGHT")) {
        call = QLatin1String("substr(") + text(0) + QLatin1String(",-(") + args[1] +
               QLatin1String("))");
    } else if (name == QLatin1String("MID")) {
        call = QLatin1String("substr(") + text(0) + u',' + args[1] +
               (count == 3 ? u',' + args[2] : QString()) + u')';
    } else if (name == QLatin1String("LEN")) {
        call = QLatin1String("length(") + args[0] + u')';
    } else if (name == QLatin1String("UCASE")) {
        call = QLatin1String("upper(") + args[0] + u')';
    } else if (name == QLatin1String("LCASE")) {
        call = QLatin1String("lower(") + args[0] + u')';
    } else if (name == QLatin1String("NZ")) {
        call = QLatin1String("ifnull(") + args[0] + u',' +
               (count == 2 ? args[1] : QStringLiteral("0")) + u')';
    } else if (name == QLatin1String("ISNULL")) {
        call = QLatin1String("(-(") + args[0] + QLatin1String(" IS NULL))"); // True is -1
    } else if (name == QLatin1String("VAL")) {
        call = QLatin1String("CAST(") + args[0] + QLatin1String(" AS REAL)");
    } else if (name == QLatin1String("CSTR")) {
        if (IsDateColumn(ranges[0])) {
            call = text(0);
        } else {
            // A real prints without trailing zeros (40, 12.5) as Jet prints a number.
            const QString test = args[0];
            const QString real = again(0);
            const QString other = again(0);
            call = QStringLiteral("iif(typeof(%1)='real',printf('%.15g',%2),CAST(%3 AS TEXT))")
                       .arg(test, real, other);
        }
    } else if (name == QLatin1String("INT")) {
        // The largest whole number not above the value: truncation, less one
        // for a negative value with a fraction.
        const QString value = args[0];
        const QString compared = again(0);
        const QString truncated = again(0);
        call = QStringLiteral("(CAST(%1 AS INTEGER)-(%2<CAST(%3 AS INTEGER)))")
                   .arg(value, compared, truncated);
    } else if (name == QLatin1String("FIX")) {
        call = QLatin1String("CAST(") + args[0] + QLatin1String(" AS INTEGER)");
    } else if (name == QLatin1String("YEAR")) {
        call = datePart(1, 4);
    } else if (name == QLatin1String("MONTH")) {
        call = datePart(6, 2);
    } else {
        call = datePart(9, 2);
    }
    *resume = close;
    return call;
}

// True for an argument that is just a date column, "Day" or "A.Day".
bool Translator::IsDateColumn(const Range& argument) const {
    const size_t first = Skip(argument.first, argument.second);
    size_t last = argument.second;
    while (last > first && tokens_[last - 1].kind == Token::Space) {
        --last;
    }
    const bool name = last > first && (tokens_[last - 1].kind == Token::Word ||
                                       tokens_[last - 1].kind == Token::Bracket);
    return name && (last - first == 1 || (last - first == 3 && SymbolAt(first + 1, "."))) &&
           catalog_.IsDateColumnName(NameOf(last - 1));
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

// The statements in the BEGIN … END body of a CREATE TRIGGER (passed on to
// SQLite as written) end with ";" of their own: a second statement can only
// follow the last END. Any other statement is checked from its start.
size_t Translator::TriggerBodyEnd(size_t start, size_t stop) const {
    size_t from = start;
    if (WordAt(start, "CREATE") && WordAt(Skip(start + 1, stop), "TRIGGER")) {
        for (size_t i = start; i < stop; ++i) {
            from = WordAt(i, "END") ? i : from;
        }
    }
    return from;
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
                declaredParameters_.insert(tokens_[i].value.toLower());
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
    // Only one statement is run: anything after a ";" is refused, not dropped.
    for (size_t i = TriggerBodyEnd(start, stop); i < stop; ++i) {
        if (SymbolAt(i, ";")) {
            throw EOleException(
                QStringLiteral("SQL 语句中“;”后面还有内容；一次只能执行一条语句。"));
        }
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
