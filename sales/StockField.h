#pragma once

// The entry field a failed stock-in or title check names, so the dialog can
// put the focus back on it.
enum class TStockField {
    Day,
    Supplier,
    Sum,
    Code,
    Name,
    Category,
    Fee,
    Number,
    Power,
    Price,
    Amount,
    Number1,
    Number2,
    Cost
};
