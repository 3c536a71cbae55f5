#include "sales/TitleEdits.h"

#include "storage/InputChecks.h"
#include "storage/RentCd.h"
#include "storage/SaleCd.h"

using namespace InputChecks;

namespace TitleEdits {

namespace {

std::optional<TStockField> CheckCodeAndName(int id, const QString& code, const QString& name,
                                            const QString& table) {
    if (!CheckNotEmpty(QStringLiteral("编号"), code) || CodeTaken(id, code, table)) {
        return TStockField::Code;
    }
    if (!CheckNotEmpty(QStringLiteral("影片名称"), name)) {
        return TStockField::Name;
    }
    return std::nullopt;
}

} // namespace

std::optional<TStockField> CheckRentTitle(const TRentCd& title, const TTitleRentEntry& entry) {
    if (auto field = CheckCodeAndName(title.Id, entry.code, entry.name, title.TableName())) {
        return field;
    }
    if (!CheckInteger(QStringLiteral("碟片数目"), entry.number, true)) {
        return TStockField::Number;
    }
    if (!CheckHalfStep(QStringLiteral("计费部数"), entry.power, true)) {
        return TStockField::Power;
    }
    if (!CheckMoney(QStringLiteral("价格"), entry.price, true)) {
        return TStockField::Price;
    }
    return std::nullopt;
}

std::optional<TStockField> SaveRentTitle(TRentCd& title, const TTitleRentEntry& entry) {
    if (auto field = CheckRentTitle(title, entry)) {
        return field;
    }
    entry.CopyInto(title);
    title.Save();
    return std::nullopt;
}

std::optional<TStockField> CheckSaleTitle(const TSaleCd& title, const TTitleSaleEntry& entry) {
    if (auto field = CheckCodeAndName(title.Id, entry.code, entry.name, title.TableName())) {
        return field;
    }
    if (!CheckInteger(QStringLiteral("碟片数目"), entry.number1, true)) {
        return TStockField::Number1;
    }
    if (!CheckInteger(QStringLiteral("进货数量"), entry.number2, true)) {
        return TStockField::Number2;
    }
    if (!CheckMoney(QStringLiteral("单套进价"), entry.cost, true)) {
        return TStockField::Cost;
    }
    if (!CheckMoney(QStringLiteral("参考售价"), entry.price, true)) {
        return TStockField::Price;
    }
    return std::nullopt;
}

std::optional<TStockField> SaveSaleTitle(TSaleCd& title, const TTitleSaleEntry& entry) {
    if (auto field = CheckSaleTitle(title, entry)) {
        return field;
    }
    entry.CopyInto(title);
    title.Save();
    return std::nullopt;
}

} // namespace TitleEdits
