#include "storage/grid/GridColumn.h"

#include "storage/InputChecks.h"
#include "storage/JetDate.h"
#include "storage/Prompter.h"
#include "storage/TextFormats.h"
#include "storage/dao/Format.h"

Qt::Alignment TGridColumn::Alignment() const {
    if (alignment) {
        return alignment;
    }
    switch (kind) {
    case TCellKind::Money:
    case TCellKind::Number:
        return Qt::AlignRight | Qt::AlignVCenter;
    case TCellKind::Tick:
        return Qt::AlignCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QString TGridColumn::Text(const TCellValue& value) const {
    if (value.IsNull()) {
        return {};
    }
    const bool number = value.type != TCellValue::TType::Text;
    switch (kind) {
    case TCellKind::Money:
        return number ? TextFormats::MoneyText(Currency::FromDouble(value.Number())) : value.Text();
    case TCellKind::Date:
        return number ? JetDate::ShortText(JetDate::FromDayNumber(value.Number())) : value.Text();
    case TCellKind::Tick:
        return Ticked(value) ? QStringLiteral("√") : QString();
    case TCellKind::Number:
        return number ? Currency::FromDouble(value.Number()).ToPlainText() : value.Text();
    case TCellKind::Text:
        break;
    }
    return value.Text();
}

std::optional<QString> TGridColumn::FilterCondition(const QString& value) const {
    const QString typed = value.trimmed();
    const QString expression = FilterExpression();
    switch (kind) {
    case TCellKind::Money:
    case TCellKind::Number:
        if (!InputChecks::CheckMoney(caption, typed, true)) {
            return std::nullopt;
        }
        return Format(QStringLiteral("%s=%s"), {expression, Currency::Parse(typed)->ToPlainText()});
    case TCellKind::Date:
        if (!InputChecks::CheckDate(caption, typed)) {
            return std::nullopt;
        }
        return Format(QStringLiteral("%s=#%s#"),
                      {expression, JetDate::ShortText(*JetDate::ParseShort(typed))});
    case TCellKind::Tick:
        if (typed == QStringLiteral("是") || typed == QStringLiteral("否")) {
            return Format(QStringLiteral("%s%s0"),
                          {expression, typed == QStringLiteral("是") ? "<>" : "="});
        }
        ShowError(Format(QStringLiteral("“\"%s\"”请输入“是”或“否”。"), {caption}));
        return std::nullopt;
    case TCellKind::Text:
        break;
    }
    return SqlFormat(QStringLiteral("%s LIKE \"*%s*\""), {expression, typed});
}
