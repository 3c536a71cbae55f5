#include "sales/ui/SaleLines.h"

#include "app/kit/GridFooter.h"
#include "sales/SaleObject.h"
#include "storage/TextFormats.h"

namespace SaleLines {

QList<TGridColumn> Columns(bool withTick) {
    QList<TGridColumn> columns;
    if (withTick) {
        columns.append({QString(), QStringLiteral("Selected"), TCellKind::Tick});
    }
    columns.append({QStringLiteral("日期"), QStringLiteral("Day"), TCellKind::Date});
    columns.append({QStringLiteral("编号"), QStringLiteral("Code")});
    columns.append({QStringLiteral("名称"), QStringLiteral("Name")});
    // The discount is shown with one decimal ("8.5"), as the operator types it.
    TGridColumn discount(QStringLiteral("折扣"), QStringLiteral("Discount"));
    discount.alignment = Qt::AlignRight | Qt::AlignVCenter;
    columns.append(discount);
    columns.append({QStringLiteral("数量"), QStringLiteral("Number"), TCellKind::Number});
    columns.append({QStringLiteral("单价"), QStringLiteral("Price"), TCellKind::Money});
    columns.append({QStringLiteral("金额"), QStringLiteral("Amount"), TCellKind::Money});
    return columns;
}

namespace {

QVariant LineValue(const TSTransaction& line, const QString& field) {
    if (field == QLatin1String("Day")) {
        return line.Day;
    }
    if (field == QLatin1String("Code")) {
        return line.SaleCd.Code;
    }
    if (field == QLatin1String("Name")) {
        return line.SaleCd.Name;
    }
    if (field == QLatin1String("Discount")) {
        return TextFormats::OneDecimalText(line.Discount);
    }
    if (field == QLatin1String("Number")) {
        return line.Number;
    }
    return QVariant::fromValue(field == QLatin1String("Price") ? line.Price
                                                               : TSaleObject::LineAmount(line));
}

} // namespace

TDeskLineSource Source(const QList<TSTransaction>& lines, const QList<TGridColumn>& columns) {
    TDeskLineSource source;
    source.count = [&lines] { return int(lines.size()); };
    source.value = [&lines, columns](int line, int column) {
        return LineValue(lines[line], columns[column].field);
    };
    return source;
}

int ColumnOf(const QList<TGridColumn>& columns, const char* field) {
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].field == QLatin1String(field)) {
            return i;
        }
    }
    return -1;
}

void ShowTotals(TGridFooter& footer, const QList<TGridColumn>& columns,
                const QList<TSTransaction>& lines, bool all) {
    footer.SetCell(ColumnOf(columns, "Day"),
                   QStringLiteral("总数:%1").arg(TSaleObject::LineCount(lines, all)));
    footer.SetCell(ColumnOf(columns, "Number"),
                   QString::number(TSaleObject::NumberSum(lines, all)));
    footer.SetCell(ColumnOf(columns, "Amount"),
                   QStringLiteral("合计:") +
                       TextFormats::MoneyText(TSaleObject::AmountSum(lines, all)));
}

} // namespace SaleLines
