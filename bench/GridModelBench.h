#pragma once

class TDM;

// Times a list grid over the cash box's movements: the first screen, reading
// on to the end, a jump to the end, finding a row by key and the memory the
// pages take; and reading rows into the grid against stepping the same
// statement through the SQLite C API.
namespace GridModelBench {

void Run(TDM& dm);

} // namespace GridModelBench
