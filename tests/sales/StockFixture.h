#pragma once

#include "sales/StockHeader.h"
#include "storage/Refusal.h"
#include "storage/ScriptedPrompter.h"
#include "tests/support/LedgerFixture.h"

#include <memory>

// A ledger with one supplier and a bank account that pays for the stock-ins,
// and a scripted prompter that records the messages.
class StockTest : public LedgerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The header paying `amount` from the bank account to the supplier.
    TStockHeader Header(const QString& amount) const;
    QStringList Errors() const { return prompter_.Texts(TScriptedPrompter::Kind::Error); }
    // The control a refusal names, empty when the operation passed; a refusal
    // must carry the message shown last.
    QString Refused(const TChecked& checked) const;

    TScriptedPrompter prompter_;
    std::unique_ptr<TPrompterScope> scope_;
    int supplier_ = 0;
    int bank_ = 0;
};
