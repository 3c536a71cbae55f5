#include "reports/ReportFrame.h"

#include "storage/InputChecks.h"
#include "storage/JetDate.h"
#include "storage/RefusalRun.h"

namespace ReportFrame {

TChecked CheckDates(const QString& from, const QString& to) {
    TRefusalRun run;
    run.Check(QStringLiteral("edFrom"),
              [&] { return InputChecks::CheckDate(QStringLiteral("开始日期"), from); })
        .Check(QStringLiteral("edTo"),
               [&] { return InputChecks::CheckDate(QStringLiteral("结束日期"), to); });
    return run.Result();
}

QString DateText(const QString& typed) {
    return JetDate::ShortText(JetDate::ParseShort(typed).value_or(QDate()));
}

QString ExpandDates(QString sql, const QString& from, const QString& to) {
    return sql.replace(BeginMacro, from).replace(EndMacro, to);
}

} // namespace ReportFrame
