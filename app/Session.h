#pragma once

#include "storage/Settings.h"
#include "storage/dao/DM.h"
#include "storage/records/Operator.h"
#include "storage/records/Printer.h"
#include "storage/records/ShopInfo.h"

// The objects that live for the whole run of the desktop program: the data
// module, the settings, the logged-in operator (Id -1 until a login), and the
// shop information and printer configuration (row 1 of the open ledger).
class TSession {
public:
    TSession();
    ~TSession();
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;

    // The session made last and still alive; the working windows read the
    // operator, shop and printer from it.
    static TSession& Current();

    TDM Dm;
    TSettings Settings;
    TOperator Operator;
    TShopInfo ShopInfo;
    TPrinter Printer;

    bool LoggedIn() const { return Operator.Id > 0; }

private:
    TSession* previous_;
};
