#pragma once

#include "rental/RentObject.h"
#include "storage/ScriptedPrompter.h"
#include "storage/records/Operator.h"
#include "storage/records/Printer.h"
#include "storage/records/ShopInfo.h"
#include "tests/support/LedgerFixture.h"

#include <memory>

// A ledger with fee standards, member types, titles and members for counter
// scenarios, and a rental engine on it run by the administrator.
class RentTest : public LedgerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fee standard: walk-in deposit/units/rent/days, then the member's.
    int AddFee(const char* name, const char* deposit1, const char* number1, const char* rent1,
               int days1, const char* deposit2 = "10", const char* number2 = "1",
               const char* rent2 = "1", int days2 = 3);
    int AddType(const char* name, int tDay, const char* tSum, int tNum, int days, int fee,
                int punish);
    int AddTitle(const QString& code, int fee, const char* power = "1", int status = 1);
    int AddMember(const QString& code, int type, const char* number = "0", int daysLeft = 30,
                  const char* balance = "0");
    // A whole-table snapshot, to check that a failed commit changed nothing.
    QString Dump() const;
    QString Text(const QString& sql) { return Value(sql); }
    void Rent(const QString& codes) {
        engine_->EnterCode(codes);
        engine_->CommitRent();
    }

    TScriptedPrompter prompter_;
    std::unique_ptr<TPrompterScope> scope_;
    TPrinter printer_;
    TShopInfo shop_;
    TOperator cashier_;
    std::unique_ptr<TRentObject> engine_;
    int fee_ = 0; // deposit 10 per unit, rent 1.00 per unit per 3 days (both groups)
};
