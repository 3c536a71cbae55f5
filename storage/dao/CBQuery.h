#pragma once

#include "storage/dao/DAOQuery.h"

// The query the record objects use, bound to the data module's connection.
// Engine errors (EOleException) become -1 or false; other errors pass on.
class TCBQuery : public TDAOQuery {
public:
    TCBQuery();

    // Opens the SELECT and stays open on its first row; the row count, or -1
    // when the engine reported an error.
    int OpenCount(const QString& sql);
    // True when the SELECT has rows (an engine error counts as none); the query
    // stays open on its first row. Only the first row is read.
    bool HasRows(const QString& sql);
    // Runs an action statement; false when the engine reported an error.
    bool RunSql(const QString& sql);
    // The first row's column as text, or empty text; the query is closed.
    QString FieldText(const QString& sql, const QString& column);
};
