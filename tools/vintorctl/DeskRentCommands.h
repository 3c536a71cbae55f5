#pragma once

class TDeskSession;

// The rent.* script commands: one rental engine driven as the rental desk
// drives it, its receipt printed as "PRINTER:" lines.
namespace DeskRentCommands {

void Register(TDeskSession& session);

} // namespace DeskRentCommands
