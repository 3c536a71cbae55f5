#pragma once

class TOperator;
class TPrinter;
class TShopInfo;

// A trial receipt for the ticket printer settings: the shop's header and
// footer around a line saying the printer works.
namespace PrinterTrial {

// Sends it to the port `printer` names, even while receipts are switched off;
// false once the printer error has been shown.
bool Print(const TPrinter& printer, const TShopInfo& shop, const TOperator& cashier);

} // namespace PrinterTrial
