#pragma once

#include "tests/support/jet/JetWriter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

// Jet files read back by mdbtools, for the writer's tests: libmdb for every
// value as stored, mdbtools' programs for what users of the files see. Jet 3
// text is read in the code page the header gives (936, GBK).
namespace MdbReadBack {

struct TTable {
    QString name;
    QList<TJetColumn> columns;  // Text size in characters
    quint32 declaredRows = 0;   // the row count the definition gives
    qint32 lastAutoNumber = 0;  // the value the definition keeps for the autonumber
    bool pagedUsageMap = false; // the data pages are listed through bitmap pages (type 1)
    // Values as WriteJet takes them: Boolean as bool, Byte/Integer/Long as
    // qint64, Currency as its raw qint64, Single/Double as double, DateTime as
    // the day number (double), Text/Memo as QString, LongBinary as QByteArray,
    // NULL as an invalid QVariant.
    QList<QVariantList> rows;
};

// The user tables of the file in catalog order; empty with `error` set when
// libmdb cannot read it.
QList<TTable> ReadTables(const QString& file, QString* error);

struct TToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};
// Runs one of mdbtools' programs (mdb-tables, mdb-schema, mdb-export, ...).
TToolRun Tool(const QString& program, const QStringList& arguments);

} // namespace MdbReadBack
