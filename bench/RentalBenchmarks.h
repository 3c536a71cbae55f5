#pragma once

class TDM;

// The counter's engine-level figures: the rental engine on a member and on a
// series, and the record, pick-edit and pinyin look-ups behind the desk.
namespace RentalBenchmarks {

// Prints one line per figure; rents and takes back discs of the ledger.
void Run(TDM& dm);

} // namespace RentalBenchmarks
