#include "tools/vintorctl/DeskRentCommands.h"

#include "rental/RentObject.h"
#include "storage/InputChecks.h"
#include "storage/JetDate.h"
#include "storage/Prompter.h"
#include "tools/vintorctl/DeskSession.h"

#include <memory>

namespace DeskRentCommands {

namespace {

using TRent = std::shared_ptr<TRentObject>;

QString Money(Currency amount) {
    return amount.ToPlainText();
}

// "<code> <day1> <days> <deposit> <rent>"
QString LineText(const TRTransaction& line) {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(line.RentCd.Code, JetDate::ShortText(line.Day1), QString::number(line.Days),
             Money(line.Deposit), Money(line.Rent));
}

void Show(TDeskSession& session, const TRentObject& rent) {
    session.Print(
        QStringLiteral("STATE %1 RENTER %2 SN %3 RECEIVED %4 REFUND %5 DEPOSIT %6 RENT %7")
            .arg(rent.State)
            .arg(rent.Renter.Id)
            .arg(rent.Sn)
            .arg(Money(rent.Received), Money(rent.Refund), Money(rent.DepositTotal),
                 Money(rent.RentTotal)));
    session.Print(QStringLiteral("NOW %1").arg(rent.NowLines.size()));
    for (const TRTransaction& line : rent.NowLines) {
        session.Print((line.Selected ? QStringLiteral("1 ") : QStringLiteral("0 ")) +
                      LineText(line));
    }
    session.Print(QStringLiteral("HELD %1").arg(rent.HeldLines.size()));
    for (const TRTransaction& line : rent.HeldLines) {
        session.Print(LineText(line));
    }
}

// The amount typed into a money entry of the desk, checked under its caption
// as the desk checks it; an empty entry counts as 0.
std::optional<Currency> Entry(const QStringList& args, const QString& caption) {
    const QString text = args.isEmpty() ? QStringLiteral("0") : args[0];
    if (!InputChecks::CheckMoney(caption, text, true)) {
        return std::nullopt;
    }
    return Currency::Parse(text);
}

// The amount received, typed while the desk shows the deposit or rent to take:
// while returning, the refund follows it.
void SetReceived(TRentObject& rent, const QStringList& args) {
    const QString caption = rent.State == TRentObject::Returning ? QStringLiteral("实收租金")
                            : rent.State == TRentObject::Renting ? QStringLiteral("实收押金")
                                                                 : QStringLiteral("实收金额");
    const auto amount = Entry(args, caption);
    if (!amount) {
        return;
    }
    rent.Received = *amount;
    if (rent.State == TRentObject::Returning) {
        rent.Refund =
            rent.Received < rent.DepositTotal ? rent.DepositTotal - rent.Received : Currency();
    }
}

// The deposit handed back, never more than the deposit held.
void SetRefund(TRentObject& rent, const QStringList& args) {
    const auto amount = Entry(args, QStringLiteral("实退押金"));
    if (!amount) {
        return;
    }
    if (*amount > rent.DepositTotal) {
        ShowError(QStringLiteral("实退押金不能大于押金，请重新输入！"));
        return;
    }
    rent.Refund = *amount;
}

void Tick(TDeskSession& session, TRentObject& rent, const QStringList& args) {
    bool number = false;
    const int line = args[0].toInt(&number);
    if (!number || (args[1] != QLatin1String("yes") && args[1] != QLatin1String("no"))) {
        session.Print(QStringLiteral("ERROR: usage: rent.tick N yes|no"));
        return;
    }
    if (line < 1 || line > rent.NowLines.size()) {
        session.Print(QStringLiteral("ERROR: no line %1").arg(args[0]));
        return;
    }
    rent.SelectLine(line - 1, args[1] == QLatin1String("yes"));
}

// A command without arguments that runs one engine operation.
void RegisterAction(TDeskSession& session, const QString& word, const TRent& rent,
                    void (TRentObject::*action)()) {
    session.Register(word, 0, 0, QString(),
                     [rent, action](const QStringList&) { ((*rent).*action)(); });
}

} // namespace

void Register(TDeskSession& session) {
    const TRent rent =
        std::make_shared<TRentObject>(session.Printer(), session.Shop(), session.Cashier());
    rent->Bill.Printer.SetPort(session.NewPrinterPort());
    session.Register(QStringLiteral("rent.member"), 1, 1, QStringLiteral("CODE"),
                     [&session, rent](const QStringList& args) {
                         if (!rent->EnterMember(args[0])) {
                             session.Print(QStringLiteral("ERROR: no member ") + args[0]);
                         }
                     });
    session.Register(QStringLiteral("rent.code"), 1, 1, QStringLiteral("TEXT"),
                     [rent](const QStringList& args) { rent->EnterCode(args[0]); });
    session.Register(QStringLiteral("rent.tick"), 2, 2, QStringLiteral("N yes|no"),
                     [&session, rent](const QStringList& args) { Tick(session, *rent, args); });
    session.Register(QStringLiteral("rent.received"), 0, 1, QStringLiteral("AMOUNT"),
                     [rent](const QStringList& args) { SetReceived(*rent, args); });
    session.Register(QStringLiteral("rent.refund"), 0, 1, QStringLiteral("AMOUNT"),
                     [rent](const QStringList& args) { SetRefund(*rent, args); });
    session.Register(QStringLiteral("rent.memo"), 0, 1, QStringLiteral("TEXT"),
                     [rent](const QStringList& args) { rent->Memo = args.value(0); });
    RegisterAction(session, QStringLiteral("rent.commit"), rent, &TRentObject::CommitRent);
    RegisterAction(session, QStringLiteral("rent.return"), rent, &TRentObject::CommitReturn);
    RegisterAction(session, QStringLiteral("rent.cancel"), rent, &TRentObject::CancelRent);
    RegisterAction(session, QStringLiteral("rent.reset"), rent, &TRentObject::Reset);
    RegisterAction(session, QStringLiteral("rent.print"), rent, &TRentObject::FillReceipt);
    session.Register(QStringLiteral("rent.show"), 0, 0, QString(),
                     [&session, rent](const QStringList&) { Show(session, *rent); });
}

} // namespace DeskRentCommands
