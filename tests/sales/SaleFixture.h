#pragma once

#include "sales/SaleObject.h"
#include "storage/ScriptedPrompter.h"
#include "storage/records/Operator.h"
#include "storage/records/Printer.h"
#include "storage/records/ShopInfo.h"
#include "tests/rental/CapturePort.h"
#include "tests/support/LedgerFixture.h"

#include <memory>

// A ledger with sale titles and a sale engine on it run by the administrator;
// the receipt printer writes into capture_.
class SaleTest : public LedgerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    static Currency Money(const char* text);
    // A sale title "影片<code>" with its price and stock; its Id.
    int AddTitle(const QString& code, const char* price, int stock);
    int Stock(const QString& code);
    // Every sale line, movement and title, to check that a failed commit
    // changed nothing.
    QString Dump() const;
    // Enters the codes and sells them as priced.
    void Sell(const QStringList& codes);

    TScriptedPrompter prompter_;
    std::unique_ptr<TPrompterScope> scope_;
    TPrinter printer_;
    TShopInfo shop_;
    TOperator cashier_;
    TCapture capture_;
    std::unique_ptr<TSaleObject> engine_;
};
