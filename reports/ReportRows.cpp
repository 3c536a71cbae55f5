#include "reports/ReportRows.h"

#include "storage/JetDate.h"
#include "storage/TextFormats.h"
#include "storage/dao/DM.h"

namespace ReportRows {

void ForEach(const QString& sql, const std::function<void(TDAOQuery&)>& row) {
    TDAOQuery query(&TDM::Instance().DbBase);
    query.SetSQL(sql);
    query.Open();
    for (; !query.Eof(); query.Next()) {
        row(query);
    }
    query.Close();
}

QString DateText(const TField& field) {
    return field.IsNull() ? QString() : JetDate::ShortText(field.AsDateTime());
}

QString Whole(qint64 value) {
    return QString::number(value);
}

QString Yuan(Currency amount) {
    return QStringLiteral("￥") + TextFormats::MoneyText(amount);
}

TReportColumn Column(const QString& caption, int left, int width, Qt::Alignment alignment,
                     int line) {
    return TReportColumn{caption, alignment, left, width, line};
}

void Add(TPreparedReport& report, TBandKind band, const QStringList& values) {
    Q_ASSERT(values.size() == report.Layout(band).size());
    report.rows.append({band, values, {}});
}

} // namespace ReportRows
