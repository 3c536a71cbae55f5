#pragma once

#include "rental/PrintObject.h"
#include "storage/Currency.h"

#include <QString>

class TOperator;
class TPrinter;
class TShopInfo;

// A receipt for the 32-column ticket printer: the shop's header, the member
// block, a body of the kind of bill and the shop's footer, sent line by line.
// The lines printed are copies held by the receipt, so printing never changes
// the business data; it reads only the member row it shows.
class TBillObject {
public:
    // The program-wide printer configuration, shop information and current
    // operator (the cashier); not owned, they outlive every receipt.
    TBillObject(const TPrinter& printer, const TShopInfo& shop, const TOperator& cashier);
    virtual ~TBillObject() = default;
    TBillObject(const TBillObject&) = delete;
    TBillObject& operator=(const TBillObject&) = delete;

    int Kind = 0;
    QString BillNo;
    int RenterId = 0; // the member shown; 0 for none
    Currency Amount1;
    Currency Amount2;
    Currency Amount3;
    QString Note;
    TPrintObject Printer;

    virtual void ClearLines() = 0;
    // Sends the receipt. When the printer does not take a line, its error has
    // been shown once and the rest of the receipt is not sent; false then.
    bool Print();

protected:
    virtual void Body() = 0;

    // One line, plain or in double height, its control characters left out:
    // every text of the receipt enters here. Nothing once the printer has
    // failed in this receipt.
    void Line(const QString& text, bool emphasised = false);
    // The 32-column rule between the blocks.
    void Rule();
    // The rule and the caption above the titles of the bill.
    void TitleHeading();
    // A title's code and name, the name in its column.
    void TitleLine(const QString& code, const QString& name);
    // "说明:" and the note, when the note is not blank.
    void NoteLine();

private:
    void Header();
    void MemberBlock();
    void Footer();

    const TShopInfo& shop_;
    const TOperator& cashier_;
    bool stopped_ = false;
};
