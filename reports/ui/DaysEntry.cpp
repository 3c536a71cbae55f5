#include "reports/ui/DaysEntry.h"

#include "app/kit/DigitEdit.h"
#include "reports/RentReports.h"
#include "storage/InputChecks.h"

namespace DaysEntry {

TDigitEdit* Make(const QString& name, int days, QWidget* parent) {
    auto* edit = new TDigitEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(QString::number(RentReports::LateGridMaxDays).size());
    edit->setMaximumWidth(60);
    edit->setText(QString::number(days));
    return edit;
}

std::optional<int> Days(const QString& caption, TDigitEdit& edit) {
    const QString text = edit.text().trimmed();
    if (!InputChecks::CheckInteger(caption, text, true) || text.toInt() < 0) {
        edit.setFocus();
        edit.selectAll();
        return std::nullopt;
    }
    return text.toInt();
}

} // namespace DaysEntry
