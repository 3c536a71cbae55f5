#pragma once

#include "sales/TitleRentEntry.h"
#include "sales/TitleSaleEntry.h"
#include "storage/Refusal.h"

class TRefusalRun;
class TRentCd;
class TSaleCd;

// The rules of the title edit dialogs: the checks, in order, and what is
// stored. A refused check has shown its message and names its control;
// nothing is written then. The stock-ins run the same steps.
namespace TitleEdits {

// "影片名称" (edName) not empty.
void CheckName(TRefusalRun& run, const TTitleEntry& entry);
// "影片类型" (cbCdCategory) chosen.
void CheckCategory(TRefusalRun& run, const TTitleEntry& entry);
// "碟片数目" (edNumber) an integer, "计费部数" (edPower) a multiple of 0.5,
// "价格" (edPrice) an amount.
void CheckRentFigures(TRefusalRun& run, const TTitleRentEntry& entry);
// "碟片数目" (edNumber1) and "进货数量" (edNumber2) integers, "单套进价"
// (edCost) and "参考售价" (edPrice) amounts.
void CheckSaleFigures(TRefusalRun& run, const TTitleSaleEntry& entry);

// Code (edCode) not empty and not used by another rental title, the name,
// then the rental figures.
TChecked CheckRentTitle(const TRentCd& title, const TTitleRentEntry& entry);
// Checks, then writes only the title's own row (a new one when its Id is -1).
TChecked SaveRentTitle(TRentCd& title, const TTitleRentEntry& entry);

// Code not empty and not used by another sale title, the name, then the sale
// figures.
TChecked CheckSaleTitle(const TSaleCd& title, const TTitleSaleEntry& entry);
// Checks, then writes only the title's own row; "进货数量" sets the stock.
TChecked SaveSaleTitle(TSaleCd& title, const TTitleSaleEntry& entry);

} // namespace TitleEdits
