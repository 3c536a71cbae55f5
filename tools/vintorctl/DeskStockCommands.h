#pragma once

class TDeskSession;

// The stockrent.* and stocksale.* commands of the counter script: one stock-in
// batch of each kind, filled and saved as the stock-in dialogs do.
namespace DeskStockCommands {

void Register(TDeskSession& session);

} // namespace DeskStockCommands
