#pragma once

#include "storage/Currency.h"

#include <QDate>
#include <QString>

class TDAODataset;

// Connects the members of a record object to the columns of the current row,
// in one direction: reading the row into the members, or writing the members
// into the row. A record class lists its columns once, in a Bind function,
// and the same list serves loading and saving.
class TFieldBinder {
public:
    enum class Direction { Read, Write };
    // Which directions a column takes part in.
    enum Use { Both, ReadOnly, WriteOnly };

    TFieldBinder(TDAODataset& dataset, Direction direction)
        : dataset_(dataset), direction_(direction) {}

    bool Reading() const { return direction_ == Direction::Read; }

    void operator()(const char* column, QString& value, Use use = Both);
    void operator()(const char* column, int& value, Use use = Both);
    void operator()(const char* column, Currency& value, Use use = Both);
    void operator()(const char* column, QDate& value, Use use = Both);
    // An integer column read as a flag that is set exactly when it holds 1;
    // written as 1 or 0.
    void Flag(const QString& column, bool& value);

private:
    bool Takes(Use use) const;

    TDAODataset& dataset_;
    Direction direction_;
};
