#pragma once

class TDeskSession;

// The member.*, fund.* and account.* commands of the counter script: the store
// rules of the members and funds dialogs, with the dialog's fields given as
// key=value words.
namespace DeskMemberCommands {

void Register(TDeskSession& session);

} // namespace DeskMemberCommands
