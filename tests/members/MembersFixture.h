#pragma once

#include "members/MemberStore.h"
#include "storage/Currency.h"
#include "storage/ScriptedPrompter.h"
#include "storage/records/Operator.h"
#include "tests/support/LedgerFixture.h"

#include <memory>

// A blank ledger with the administrator logged in and a scripted prompter
// that answers Yes, for the member and funds store rules.
class MembersTest : public LedgerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    static Currency Money(const char* text);
    // A member type: days and fee per period, discs per period, charging mode.
    int AddType(const char* name, int tDay, const char* tSum, int tNum, int fee = 4);
    // A member of `type` opened through the new-member rules.
    int OpenMember(const QString& code, int type, const char* sum = "0", const char* deposit = "0");
    // A member row written directly, with its period ending `daysLeft` from today.
    int InsertMember(const QString& code, int type, int daysLeft, const char* number);
    int AddAccount(const QString& name);
    int LastId(const char* table);
    QString Column(const char* table, int id, const char* column);
    // Every row of the tables a store operation may touch, to check a rollback.
    QString Dump();
    // Makes every later statement of `action` (INSERT, UPDATE or DELETE) on
    // `table` fail.
    void FailOn(const char* action, const char* table);
    QStringList Errors() const { return prompter_.Texts(TScriptedPrompter::Kind::Error); }

    TScriptedPrompter prompter_;
    std::unique_ptr<TPrompterScope> scope_;
    TOperator cashier_;
};
