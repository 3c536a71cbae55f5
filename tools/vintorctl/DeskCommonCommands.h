#pragma once

class TDeskSession;

// The script commands every desk shares: the clock, the operator, the answers
// to the next questions and penalty dialogs, and plain SQL.
namespace DeskCommonCommands {

void Register(TDeskSession& session);

} // namespace DeskCommonCommands
