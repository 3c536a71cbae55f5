#pragma once

#include "storage/dao/DM.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A test with its own blank ledger in a temporary directory, opened through
// its own data module, and the clock set to 2024-06-15. Every commit on that
// connection is followed by a check of the kept account balances.
class LedgerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh copy of the blank ledger in the test's directory.
    QString NewLedgerPath(const QString& name = QStringLiteral("test.mdb"));
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Runs Jet SQL through the data module and returns the first row's column.
    QString Value(const QString& sql, const QString& column = QStringLiteral("V"));
    int Count(const QString& table, const QString& where = QString());

    QTemporaryDir dir_;
    std::unique_ptr<TDM> dm_;
    QString ledger_;
};

// The blank ledger every test copies (written once per test program).
const QString& BlankLedgerForTests();
