#pragma once

#include "storage/dao/JetCatalog.h"

#include <QHash>
#include <QString>
#include <QStringList>

// One Jet SQL statement turned into what SQLite runs.
struct TTranslation {
    QStringList statements; // run in this order; a query has exactly one
    QStringList parameters; // the parameter name behind each "?", in order
    bool isQuery = false;   // a SELECT that yields rows
    bool changesSchema = false;
    QString updatableTable;          // the one table of a plain single-table SELECT
    QHash<QString, QString> aliases; // lower-case alias -> table, from "Table AS Alias"
};

// Turns the Jet SQL the program writes into SQLite SQL:
// - "text" and 'text' literals become 'text' (a doubled quote stays one quote);
// - #yyyy-mm-dd# and #mm/dd/yyyy [hh:mm:ss [AM|PM]]# become day numbers;
// - LIKE patterns: * and ? become % and _, literal % and _ are escaped;
// - DELETE * FROM, SELECT [DISTINCT] TOP n (to LIMIT), Date(), Now(), Left, Right,
//   Mid, Len, UCase, LCase, Nz, IsNull, Val, CStr, Int, Fix, Year, Month, Day;
//   "/" always divides as real numbers; & joins text; Mod is SQLite's %;
// - money columns assigned by UPDATE are rounded to four decimals;
// - CREATE TABLE / ALTER TABLE ADD with Jet types (COUNTER, Currency, Money,
//   DATE, TEXT(n), ...), NOT NULL with a default, DROP COLUMN (taking its
//   indexes with it), DROP CONSTRAINT;
// - [bracketed] names, and the PARAMETERS clause whose names become "?".
// Throws EOleException for input it cannot translate: an invalid or unclosed
// date literal, an unclosed text literal, anything after a ";" but blanks
// (the ";"s inside a CREATE TRIGGER's BEGIN … END body excepted),
// nesting deeper than 30 parentheses or calls, or repeated arguments that
// would multiply the text (Int(Int(Int(...)))).
class TJetSqlTranslator {
public:
    static TTranslation Translate(const QString& jetSql, const TCatalog& catalog);
};
