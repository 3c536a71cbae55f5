#pragma once

#include "storage/Refusal.h"

#include <QString>

class TAtorType;
class TCategory;
class TCdCategory;
class TCompany;
class TFee;
class TPlayer;

// What the master-data dialogs check and store. Each dialog's fields as
// typed; Check runs the checks in the order of the fields and stops at the
// first refusal (shown, with the control to focus); Apply copies checked
// fields into the record; Read gives the fields that show a stored record.
// A default-constructed set of fields is what a new record starts with.
namespace MasterDataForms {

struct TCdCategoryFields {
    QString name;
    int subId = 0;
    QString memo;
};
TChecked Check(int id, const TCdCategoryFields& fields);
void Apply(TCdCategory& category, const TCdCategoryFields& fields);

// An income or expense category; flagIndex is the place in "经营收入",
// "经营支出", "日常收入", "日常支出" (Flag 3 to 6).
struct TCategoryFields {
    QString name;
    QString parentText; // the chosen parent's entry, for the chosen check
    int subId = 0;
    int flagIndex = 0;
    QString memo;
};
TChecked Check(int id, const TCategoryFields& fields);
void Apply(TCategory& category, const TCategoryFields& fields);
TCategoryFields Read(const TCategory& category);

struct TPlayerFields {
    QString name;
    QString memo;
};
TChecked Check(const TPlayerFields& fields);
void Apply(TPlayer& player, const TPlayerFields& fields);

struct TCompanyFields {
    QString name;
    QString address;
    QString telephone;
    QString memo;
};
TChecked Check(int id, const TCompanyFields& fields);
void Apply(TCompany& company, const TCompanyFields& fields);

// A fee standard: group 1 for walk-in renters, group 2 for members.
struct TFeeFields {
    QString name;
    QString deposit1 = QStringLiteral("10");
    QString number1 = QStringLiteral("1");
    QString rent1 = QStringLiteral("1");
    QString days1 = QStringLiteral("1");
    QString deposit2 = QStringLiteral("10");
    QString number2 = QStringLiteral("1");
    QString rent2 = QStringLiteral("1");
    QString days2 = QStringLiteral("1");
};
TChecked Check(int id, const TFeeFields& fields);
void Apply(TFee& fee, const TFeeFields& fields);
TFeeFields Read(const TFee& fee);

// A member type, charged by period quotas (first page) or from prepaid rent
// (second page, `prepaid`). Name, memo and days per rental are shared by
// both pages; feeIndex is the first page's charging mode (Fee 1 to 4);
// punishIndex is the place in the punishment list of the page in front.
struct TAtorTypeFields {
    bool prepaid = false;
    QString name;
    QString memo;
    QString days = QStringLiteral("0");
    int feeIndex = 0;
    QString tDay = QStringLiteral("0");
    QString tSum = QStringLiteral("0.00");
    QString tNum = QStringLiteral("0");
    int punishIndex = 0;
};
TChecked Check(int id, const TAtorTypeFields& fields);
// The second page stores Fee 5 with no period quotas, whatever the first held.
void Apply(TAtorType& type, const TAtorTypeFields& fields);
TAtorTypeFields Read(const TAtorType& type);

} // namespace MasterDataForms
