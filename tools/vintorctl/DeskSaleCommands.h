#pragma once

class TDeskSession;

// The sale.* commands of the counter script: one sale engine for the session.
namespace DeskSaleCommands {

void Register(TDeskSession& session);

} // namespace DeskSaleCommands
