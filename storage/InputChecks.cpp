#include "storage/InputChecks.h"

#include "storage/Currency.h"
#include "storage/JetDate.h"
#include "storage/Prompter.h"
#include "storage/dao/DAOQuery.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

namespace InputChecks {

namespace {

bool Refuse(const QString& pattern, const QString& caption) {
    ShowError(Format(pattern, {caption}));
    return false;
}

bool RefuseWrong(const QString& caption) {
    return Refuse(QStringLiteral("“\"%s\"”输入不正确，请重新输入。"), caption);
}

bool RefuseZero(const QString& caption) {
    return Refuse(QStringLiteral("“\"%s\"”不能为零，请重新输入。"), caption);
}

bool RefuseTooLarge(const QString& caption) {
    ShowError(Format(QStringLiteral("“\"%s\"”超出范围，不能大于%s，也不能小于-%s，请重新输入。"),
                     {caption, MaxLedgerMoney.ToPlainText(), MaxLedgerMoney.ToPlainText()}));
    return false;
}

// Digits past the fourth decimal would be rounded away; only zeros may stand
// there, so the amount accepted is exactly the amount typed.
bool HasAtMostFourDecimals(const QString& text) {
    const QString t = text.trimmed();
    const qsizetype point = t.indexOf(u'.');
    if (point < 0) {
        return true;
    }
    for (qsizetype i = point + 5; i < t.size(); ++i) {
        if (t[i] != u'0') {
            return false;
        }
    }
    return true;
}

std::optional<Currency> ExactMoney(const QString& text) {
    const std::optional<Currency> amount = Currency::Parse(text);
    if (!amount || !HasAtMostFourDecimals(text)) {
        return std::nullopt;
    }
    return amount;
}

bool ValueTaken(const QString& column, int id, const QString& value, const QString& table,
                const QString& message) {
    TDM& dm = TDM::Instance();
    // A query of its own, so that Q1 and Q2 of a window stay where they are.
    TDAOQuery query(&dm.DbBase);
    const QString sql = SqlFormat(QStringLiteral("SELECT Id FROM %s WHERE %s=\"%s\" AND Id<>%d"),
                                  {table, column, value, id});
    if (!dm.SqlHasRowsOn(query, sql)) {
        return false;
    }
    ShowError(Format(message, {value}));
    return true;
}

} // namespace

bool CheckNotEmpty(const QString& caption, const QString& text) {
    if (!text.trimmed().isEmpty()) {
        return true;
    }
    return Refuse(QStringLiteral("“\"%s\"”输入不能为空，请输入。"), caption);
}

bool CheckChosen(const QString& caption, const QString& text) {
    if (!text.trimmed().isEmpty()) {
        return true;
    }
    return Refuse(QStringLiteral("请先在“系统设置”中添加“%s”才能使用此功能。"), caption);
}

bool CheckInteger(const QString& caption, const QString& text, bool zeroAllowed) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
        return RefuseWrong(caption);
    }
    if (value == 0 && !zeroAllowed) {
        return RefuseZero(caption);
    }
    return true;
}

bool CheckDate(const QString& caption, const QString& text) {
    if (JetDate::ParseShort(text)) {
        return true;
    }
    return Refuse(QStringLiteral("“\"%s\"”日期输入不正确，请重新输入。"), caption);
}

bool CheckMoney(const QString& caption, const QString& text, bool zeroAllowed) {
    const std::optional<Currency> amount = ExactMoney(text);
    if (!amount) {
        return RefuseWrong(caption);
    }
    if (!FitsLedger(*amount)) {
        return RefuseTooLarge(caption);
    }
    if (amount->IsZero() && !zeroAllowed) {
        return RefuseZero(caption);
    }
    return true;
}

bool CheckHalfStep(const QString& caption, const QString& text, bool zeroAllowed) {
    const std::optional<Currency> amount = ExactMoney(text);
    // On the 1/10000 grid a multiple of 0.5 is a multiple of 5000 raw units.
    constexpr qint64 halfStep = Currency::Scale / 2;
    if (!amount || amount->Raw() % halfStep != 0) {
        return Refuse(QStringLiteral("“\"%s\"”输入不正确，应该为0.5的倍数。请重新输入。"), caption);
    }
    if (!FitsLedger(*amount)) {
        return RefuseTooLarge(caption);
    }
    if (amount->IsZero() && !zeroAllowed) {
        return RefuseZero(caption);
    }
    return true;
}

std::optional<Currency> TypedMoney(const QString& caption, const QString& text) {
    const QString typed = text.trimmed().isEmpty() ? QStringLiteral("0") : text;
    if (!CheckMoney(caption, typed, true)) {
        return std::nullopt;
    }
    return Currency::Parse(typed);
}

bool CodeTaken(int id, const QString& code, const QString& table) {
    return ValueTaken(QStringLiteral("Code"), id, code, table,
                      QStringLiteral("“\"%s\"”编号已经存在，请重新输入。"));
}

bool NameTaken(int id, const QString& name, const QString& table) {
    return ValueTaken(QStringLiteral("Name"), id, name, table,
                      QStringLiteral("“\"%s\"”名称已经存在，请重新输入。"));
}

} // namespace InputChecks
