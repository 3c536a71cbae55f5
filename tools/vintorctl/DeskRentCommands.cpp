#include "tools/vintorctl/DeskRentCommands.h"

#include "rental/RentAmounts.h"
#include "rental/RentObject.h"
#include "storage/JetDate.h"
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
    session.Register(
        QStringLiteral("rent.received"), 0, 1, QStringLiteral("AMOUNT"),
        [rent](const QStringList& args) { RentAmounts::TypeReceived(*rent, args.value(0)); });
    // The memo is typed with rent.memo; the refund takes it over as it stands.
    session.Register(QStringLiteral("rent.refund"), 0, 1, QStringLiteral("AMOUNT"),
                     [rent](const QStringList& args) {
                         RentAmounts::TakeRefund(*rent, args.value(0), rent->Memo);
                     });
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
