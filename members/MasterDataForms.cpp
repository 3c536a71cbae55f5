#include "members/MasterDataForms.h"

#include "members/CategoryParents.h"
#include "members/FieldValues.h"
#include "members/StoreMessages.h"
#include "storage/InputChecks.h"
#include "storage/RefusalRun.h"
#include "storage/TextFormats.h"
#include "storage/records/AtorType.h"
#include "storage/records/Category.h"
#include "storage/records/CdCategory.h"
#include "storage/records/Company.h"
#include "storage/records/Fee.h"
#include "storage/records/Player.h"

using namespace InputChecks;

namespace MasterDataForms {

namespace {

constexpr int FirstMoneyFlag = 3;    // "经营收入"; Flag 1 and 2 are the system kinds
constexpr int PrepaidRentFee = 5;    // rent taken from the member's prepaid balance
constexpr int NoPunish = 1;          // "不处罚"
constexpr int PunishPrepaidRent = 3; // "扣减其剩余预收租金"

// A name that must be given and be the only one of its kind in `table`.
void CheckUniqueName(TRefusalRun& run, const QString& field, const QString& caption, int id,
                     const QString& name, const QString& table) {
    run.Check(field, [&] { return CheckNotEmpty(caption, name); }).Check(field, [&] {
        return !NameTaken(id, name, table);
    });
}

// Quotas, amounts and day counts below 0 would turn charges round; they are
// refused in the words of the number checks.
bool NotNegative(const QString& caption, const QString& text) {
    return StoreMessages::Require(FieldValues::Money(text) >= Currency(),
                                  StoreMessages::Wrong(caption));
}

void CheckWhole(TRefusalRun& run, const QString& field, const QString& caption, const QString& text,
                bool zeroAllowed) {
    run.Check(field, [&] { return CheckInteger(caption, text, zeroAllowed); }).Check(field, [&] {
        return NotNegative(caption, text);
    });
}

void CheckAmount(TRefusalRun& run, const QString& field, const QString& caption,
                 const QString& text) {
    run.Check(field, [&] { return CheckMoney(caption, text, true); }).Check(field, [&] {
        return NotNegative(caption, text);
    });
}

void CheckUnits(TRefusalRun& run, const QString& field, const QString& caption,
                const QString& text) {
    run.Check(field, [&] { return CheckHalfStep(caption, text, false); }).Check(field, [&] {
        return NotNegative(caption, text);
    });
}

} // namespace

TChecked Check(int id, const TCdCategoryFields& fields) {
    TRefusalRun run;
    CheckUniqueName(run, QStringLiteral("edName"), QStringLiteral("分类名称"), id, fields.name,
                    QStringLiteral("TbCdCategory"));
    run.Check(QStringLiteral("cbSubId"), [&] {
        return CategoryParents::CheckParent(CategoryParents::TTree::Disc, id, fields.subId);
    });
    return run.Result();
}

void Apply(TCdCategory& category, const TCdCategoryFields& fields) {
    category.Name = fields.name;
    category.SubId = fields.subId;
    category.Memo = fields.memo;
}

TChecked Check(int id, const TCategoryFields& fields) {
    TRefusalRun run;
    run.Check(QString(), [&] { return CategoryParents::CheckEditable(id); });
    CheckUniqueName(run, QStringLiteral("edName"), QStringLiteral("收支分类名称"), id, fields.name,
                    QStringLiteral("TbCategory"));
    run.Check(QStringLiteral("cbSubId"),
              [&] { return CheckChosen(QStringLiteral("所属分类"), fields.parentText); })
        .Check(QStringLiteral("cbSubId"), [&] {
            return CategoryParents::CheckParent(CategoryParents::TTree::Money, id, fields.subId);
        });
    return run.Result();
}

void Apply(TCategory& category, const TCategoryFields& fields) {
    category.Name = fields.name;
    category.SubId = fields.subId;
    category.Flag = fields.flagIndex + FirstMoneyFlag;
    category.Memo = fields.memo;
}

TCategoryFields Read(const TCategory& category) {
    TCategoryFields fields;
    fields.name = category.Name;
    fields.subId = category.SubId;
    fields.flagIndex = category.Flag - FirstMoneyFlag;
    fields.memo = category.Memo;
    return fields;
}

TChecked Check(const TPlayerFields& fields) {
    TRefusalRun run;
    run.Check(QStringLiteral("edName"),
              [&] { return CheckNotEmpty(QStringLiteral("姓名"), fields.name); });
    return run.Result();
}

void Apply(TPlayer& player, const TPlayerFields& fields) {
    player.Name = fields.name;
    player.Memo = fields.memo;
}

TChecked Check(int id, const TCompanyFields& fields) {
    TRefusalRun run;
    CheckUniqueName(run, QStringLiteral("edName"), QStringLiteral("供应商名称"), id, fields.name,
                    QStringLiteral("TbCompany"));
    return run.Result();
}

void Apply(TCompany& company, const TCompanyFields& fields) {
    company.Name = fields.name;
    company.Address = fields.address;
    company.Telephone = fields.telephone;
    company.Memo = fields.memo;
}

TChecked Check(int id, const TFeeFields& fields) {
    TRefusalRun run;
    CheckUniqueName(run, QStringLiteral("edName"), QStringLiteral("收费标准名称"), id, fields.name,
                    QStringLiteral("TbFee"));
    CheckAmount(run, QStringLiteral("edDeposit1"), QStringLiteral("零租押金/单位部数"),
                fields.deposit1);
    CheckUnits(run, QStringLiteral("edNumber1"), QStringLiteral("零租单位部数"), fields.number1);
    CheckAmount(run, QStringLiteral("edRent1"), QStringLiteral("零租租金/单位天数"), fields.rent1);
    CheckWhole(run, QStringLiteral("edDays1"), QStringLiteral("零租单位天数"), fields.days1, false);
    CheckAmount(run, QStringLiteral("edDeposit2"), QStringLiteral("会员押金/单位部数"),
                fields.deposit2);
    CheckUnits(run, QStringLiteral("edNumber2"), QStringLiteral("会员单位部数"), fields.number2);
    CheckAmount(run, QStringLiteral("edRent2"), QStringLiteral("会员租金/单位天数"), fields.rent2);
    CheckWhole(run, QStringLiteral("edDays2"), QStringLiteral("会员单位天数"), fields.days2, false);
    return run.Result();
}

void Apply(TFee& fee, const TFeeFields& fields) {
    fee.Name = fields.name;
    fee.Deposit1 = FieldValues::Money(fields.deposit1);
    fee.Number1 = FieldValues::Money(fields.number1);
    fee.Rent1 = FieldValues::Money(fields.rent1);
    fee.Days1 = FieldValues::Whole(fields.days1);
    fee.Deposit2 = FieldValues::Money(fields.deposit2);
    fee.Number2 = FieldValues::Money(fields.number2);
    fee.Rent2 = FieldValues::Money(fields.rent2);
    fee.Days2 = FieldValues::Whole(fields.days2);
}

TFeeFields Read(const TFee& fee) {
    TFeeFields fields;
    fields.name = fee.Name;
    fields.deposit1 = TextFormats::MoneyText(fee.Deposit1);
    fields.number1 = TextFormats::OneDecimalText(fee.Number1);
    fields.rent1 = TextFormats::MoneyText(fee.Rent1);
    fields.days1 = QString::number(fee.Days1);
    fields.deposit2 = TextFormats::MoneyText(fee.Deposit2);
    fields.number2 = TextFormats::OneDecimalText(fee.Number2);
    fields.rent2 = TextFormats::MoneyText(fee.Rent2);
    fields.days2 = QString::number(fee.Days2);
    return fields;
}

TChecked Check(int id, const TAtorTypeFields& fields) {
    const QString page = fields.prepaid ? QStringLiteral("2") : QStringLiteral("1");
    TRefusalRun run;
    CheckUniqueName(run, QStringLiteral("edName") + page, QStringLiteral("会员类型名称"), id,
                    fields.name, QStringLiteral("TbAtorType"));
    if (!fields.prepaid) {
        CheckWhole(run, QStringLiteral("edT_Day"), QStringLiteral("每期可看天数"), fields.tDay,
                   true);
        CheckAmount(run, QStringLiteral("edT_Sum"), QStringLiteral("每期交费金额"), fields.tSum);
        CheckWhole(run, QStringLiteral("edT_Num"), QStringLiteral("每期可观看部数"), fields.tNum,
                   true);
    }
    CheckWhole(run, QStringLiteral("edDays") + page, QStringLiteral("每次限制天数"), fields.days,
               true);
    return run.Result();
}

void Apply(TAtorType& type, const TAtorTypeFields& fields) {
    type.Name = fields.name;
    type.Memo = fields.memo;
    type.Days = FieldValues::Whole(fields.days);
    if (fields.prepaid) {
        type.T_Day = 0;
        type.T_Sum = Currency();
        type.T_Num = 0;
        type.Fee = PrepaidRentFee;
        type.Punish = fields.punishIndex == 0 ? NoPunish : PunishPrepaidRent;
        return;
    }
    type.T_Day = FieldValues::Whole(fields.tDay);
    type.T_Sum = FieldValues::Money(fields.tSum);
    type.T_Num = FieldValues::Whole(fields.tNum);
    type.Fee = fields.feeIndex + 1;
    type.Punish = fields.punishIndex + 1;
}

TAtorTypeFields Read(const TAtorType& type) {
    TAtorTypeFields fields;
    fields.prepaid = type.Fee >= PrepaidRentFee;
    fields.name = type.Name;
    fields.memo = type.Memo;
    fields.days = QString::number(type.Days);
    if (fields.prepaid) {
        fields.punishIndex = type.Punish == NoPunish ? 0 : 1;
        return fields;
    }
    fields.feeIndex = type.Fee - 1;
    fields.tDay = QString::number(type.T_Day);
    fields.tSum = TextFormats::MoneyText(type.T_Sum);
    fields.tNum = QString::number(type.T_Num);
    fields.punishIndex = type.Punish - 1;
    return fields;
}

} // namespace MasterDataForms
