#pragma once

#include "sales/StockField.h"
#include "sales/TitleRentEntry.h"
#include "sales/TitleSaleEntry.h"

#include <optional>

class TRentCd;
class TSaleCd;

// The rules of the title edit dialogs: the checks, in order, and what is
// stored. A failed check has shown its message and names its field; nothing
// is written then.
namespace TitleEdits {

// Code not empty and not used by another rental title, name not empty,
// "碟片数目" an integer, "计费部数" a multiple of 0.5, "价格" an amount.
std::optional<TStockField> CheckRentTitle(const TRentCd& title, const TTitleRentEntry& entry);
// Checks, then writes only the title's own row (a new one when its Id is -1).
std::optional<TStockField> SaveRentTitle(TRentCd& title, const TTitleRentEntry& entry);

// Code not empty and not used by another sale title, name not empty,
// "碟片数目" and "进货数量" integers, "单套进价" and "参考售价" amounts.
std::optional<TStockField> CheckSaleTitle(const TSaleCd& title, const TTitleSaleEntry& entry);
// Checks, then writes only the title's own row; "进货数量" sets the stock.
std::optional<TStockField> SaveSaleTitle(TSaleCd& title, const TTitleSaleEntry& entry);

} // namespace TitleEdits
