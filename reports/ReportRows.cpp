#include "reports/ReportRows.h"

#include "storage/JetDate.h"
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

void Add(TPreparedReport& report, TBandKind band, const QStringList& values) {
    Q_ASSERT(values.size() == report.Layout(band).size());
    report.rows.append({band, values});
}

} // namespace ReportRows
