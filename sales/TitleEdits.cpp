#include "sales/TitleEdits.h"

#include "storage/InputChecks.h"
#include "storage/RefusalRun.h"
#include "storage/records/RentCd.h"
#include "storage/records/SaleCd.h"

using namespace InputChecks;

namespace TitleEdits {

namespace {

// The checks of a title dialog: the code must stay the title's own, then the
// name and the figures of its kind.
template <typename TEntry>
TChecked CheckTitle(const TCdTitle& title, const TEntry& entry,
                    void (*figures)(TRefusalRun&, const TEntry&)) {
    TRefusalRun run;
    run.Check(QStringLiteral("edCode"), [&] {
        return CheckNotEmpty(QStringLiteral("编号"), entry.code) &&
               !CodeTaken(title.Id, entry.code, title.TableName());
    });
    CheckName(run, entry);
    figures(run, entry);
    return run.Result();
}

template <typename TTitle, typename TEntry>
TChecked SaveTitle(TTitle& title, const TEntry& entry,
                   TChecked (*check)(const TTitle&, const TEntry&)) {
    if (TChecked refusal = check(title, entry)) {
        return refusal;
    }
    entry.CopyInto(title);
    title.Save();
    return std::nullopt;
}

} // namespace

void CheckName(TRefusalRun& run, const TTitleEntry& entry) {
    run.Check(QStringLiteral("edName"),
              [&] { return CheckNotEmpty(QStringLiteral("影片名称"), entry.name); });
}

void CheckCategory(TRefusalRun& run, const TTitleEntry& entry) {
    run.Check(QStringLiteral("cbCdCategory"), [&] {
        return CheckChosen(QStringLiteral("影片类型"),
                           entry.cid > 0 ? QString::number(entry.cid) : QString());
    });
}

void CheckRentFigures(TRefusalRun& run, const TTitleRentEntry& entry) {
    run.Check(QStringLiteral("edNumber"),
              [&] { return CheckInteger(QStringLiteral("碟片数目"), entry.number, true); })
        .Check(QStringLiteral("edPower"),
               [&] { return CheckHalfStep(QStringLiteral("计费部数"), entry.power, true); })
        .Check(QStringLiteral("edPrice"),
               [&] { return CheckMoney(QStringLiteral("价格"), entry.price, true); });
}

void CheckSaleFigures(TRefusalRun& run, const TTitleSaleEntry& entry) {
    run.Check(QStringLiteral("edNumber1"),
              [&] { return CheckInteger(QStringLiteral("碟片数目"), entry.number1, true); })
        .Check(QStringLiteral("edNumber2"),
               [&] { return CheckInteger(QStringLiteral("进货数量"), entry.number2, true); })
        .Check(QStringLiteral("edCost"),
               [&] { return CheckMoney(QStringLiteral("单套进价"), entry.cost, true); })
        .Check(QStringLiteral("edPrice"),
               [&] { return CheckMoney(QStringLiteral("参考售价"), entry.price, true); });
}

TChecked CheckRentTitle(const TRentCd& title, const TTitleRentEntry& entry) {
    return CheckTitle(title, entry, &CheckRentFigures);
}

TChecked CheckSaleTitle(const TSaleCd& title, const TTitleSaleEntry& entry) {
    return CheckTitle(title, entry, &CheckSaleFigures);
}

TChecked SaveRentTitle(TRentCd& title, const TTitleRentEntry& entry) {
    return SaveTitle(title, entry, &CheckRentTitle);
}

TChecked SaveSaleTitle(TSaleCd& title, const TTitleSaleEntry& entry) {
    return SaveTitle(title, entry, &CheckSaleTitle);
}

} // namespace TitleEdits
