#pragma once

#include "storage/ScriptedPrompter.h"
#include "storage/import/JetImport.h"
#include "tests/support/jet/JetWriter.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The import tests: a directory of their own (the program directory too, for
// the template the older ledgers are made from), the clock at 2024-06-15 and
// a scripted prompter that keeps the refusals.
class JetImportTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString Path(const QString& name) const { return dir_.filePath(name); }
    // The example ledger of `build` (with its rental history), in SQLite.
    QString Older(const QString& build, const QString& name = QStringLiteral("older.mdb"));
    // Runs Jet SQL on the SQLite ledger (to shape a ledger before writing it as Jet).
    void Sql(const QString& ledger, const QStringList& statements);
    // The SQLite ledger written as a Jet file.
    QString Jet(const QString& ledger, TJetFormat format,
                const QString& name = QStringLiteral("shop.mdb"));
    // A copy of the SQLite ledger upgraded as opening does: what an import
    // of it must give.
    QString Upgraded(const QString& ledger);
    TStored<JetImport::TImported> Import(const QString& source, const QString& target);
    // The error shown by the last refusal.
    QString Refusal() const;
    // The files of the test's directory.
    QStringList Files() const;

    QTemporaryDir dir_;
    TScriptedPrompter prompter_;
};

// Every row of every table of a ledger as text ("table|column=value|..." with
// the value's SQLite type), in Id order, and the COUNTER seeds; the balance
// stamp and the planner's statistics left out (they follow the schema's
// history, not the data).
QStringList LedgerRows(const QString& ledger);
