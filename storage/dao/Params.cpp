#include "storage/dao/Params.h"

#include "storage/JetDate.h"
#include "storage/dao/Errors.h"

QString JetTypeName(TFieldType type) {
    switch (type) {
    case TFieldType::String:
        return QStringLiteral("TEXT");
    case TFieldType::Smallint:
    case TFieldType::Word:
        return QStringLiteral("SHORT");
    case TFieldType::Integer:
        return QStringLiteral("LONG");
    case TFieldType::Boolean:
        return QStringLiteral("YESNO");
    case TFieldType::Float:
        return QStringLiteral("FLOAT");
    case TFieldType::Currency:
        return QStringLiteral("CURRENCY");
    case TFieldType::Date:
    case TFieldType::Time:
    case TFieldType::DateTime:
        return QStringLiteral("DATETIME");
    case TFieldType::Guid:
        return QStringLiteral("GUID");
    case TFieldType::Unknown:
        break;
    }
    return {};
}

void TParam::SetAsString(const QString& v) {
    SetValue(v, TFieldType::String);
}

void TParam::SetAsInteger(qint64 v) {
    SetValue(v, TFieldType::Integer);
}

void TParam::SetAsBoolean(bool v) {
    SetValue(v, TFieldType::Boolean);
}

void TParam::SetAsFloat(double v) {
    SetValue(v, TFieldType::Float);
}

void TParam::SetAsCurrency(Currency v) {
    SetValue(QVariant::fromValue(v.Raw()), TFieldType::Currency);
}

void TParam::SetAsDateTime(const QDate& v) {
    SetValue(v, TFieldType::DateTime);
}

void TParam::AssignValue(const TParam& other) {
    dataType_ = other.dataType_;
    value_ = other.value_;
}

void TParam::SetValue(const QVariant& value, TFieldType type) {
    value_ = value;
    dataType_ = type;
}

QString TParam::MacroText() const {
    if (IsNull()) {
        return {};
    }
    switch (dataType_) {
    case TFieldType::Boolean:
        return value_.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case TFieldType::Date:
    case TFieldType::Time:
    case TFieldType::DateTime:
        return JetDate::ShortText(value_.toDate());
    case TFieldType::Currency:
        return Currency::FromRaw(value_.toLongLong()).ToPlainText();
    default:
        return value_.toString();
    }
}

TParam* TParams::FindParam(const QString& name) {
    for (TParam& p : items_) {
        if (p.Name().compare(name, Qt::CaseInsensitive) == 0) {
            return &p;
        }
    }
    return nullptr;
}

TParam& TParams::ParamByName(const QString& name) {
    if (TParam* p = FindParam(name)) {
        return *p;
    }
    throw EDAODatabaseError(QStringLiteral("参数“%1”不存在。").arg(name));
}

namespace {
bool IsQuote(QChar c) {
    return c == u'\'' || c == u'"' || c == u'#';
}
bool EndsName(QChar c) {
    return c == u' ' || c == u',' || c == u';' || c == u')' || c == u'\r' || c == u'\n';
}
} // namespace

QList<TScannedName> ScanNames(const QString& text, QChar marker) {
    QList<TScannedName> names;
    const qsizetype n = text.size();
    QChar quote;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote) {
                quote = QChar();
            }
            continue;
        }
        if (c != marker && IsQuote(c)) {
            quote = c;
            continue;
        }
        if (c != marker) {
            continue;
        }
        if (i + 1 < n && text[i + 1] == marker) {
            ++i; // a doubled marker starts no name
            continue;
        }
        qsizetype j = i + 1;
        QChar inner;
        while (j < n) {
            const QChar ch = text[j];
            if (!inner.isNull()) {
                if (ch == inner) {
                    inner = QChar();
                }
            } else if (IsQuote(ch)) {
                inner = ch;
            } else if (EndsName(ch)) {
                break;
            }
            ++j;
        }
        QString name = text.mid(i + 1, j - i - 1);
        if (!name.isEmpty() && IsQuote(name[0])) {
            name = name.mid(1);
            if (!name.isEmpty() && IsQuote(name.back())) {
                name.chop(1);
            }
        }
        if (!name.isEmpty()) {
            names.append({name, i, j - i});
        }
        i = j - 1;
    }
    return names;
}
