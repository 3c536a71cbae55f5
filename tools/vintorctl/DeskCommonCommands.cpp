#include "tools/vintorctl/DeskCommonCommands.h"

#include "storage/Clock.h"
#include "storage/InputChecks.h"
#include "storage/JetDate.h"
#include "tools/vintorctl/DeskSession.h"
#include "tools/vintorctl/SqlPrinter.h"

#include <optional>

namespace DeskCommonCommands {

namespace {

std::optional<bool> YesNo(const QString& word) {
    if (word == QLatin1String("yes")) {
        return true;
    }
    if (word == QLatin1String("no")) {
        return false;
    }
    return std::nullopt;
}

} // namespace

void Register(TDeskSession& session) {
    session.Register(QStringLiteral("help"), 0, 0, QString(), [&session](const QStringList&) {
        for (const QString& line : session.Usages()) {
            session.Print(line);
        }
    });
    session.Register(QStringLiteral("today"), 1, 1, QStringLiteral("YYYY-MM-DD"),
                     [&session](const QStringList& args) {
                         const auto day = JetDate::ParseShort(args[0]);
                         if (!day) {
                             session.Print(QStringLiteral("ERROR: bad date ") + args[0]);
                             return;
                         }
                         TClock::SetToday(*day);
                     });
    session.Register(QStringLiteral("operator"), 1, 1, QStringLiteral("ID"),
                     [&session](const QStringList& args) {
                         bool number = false;
                         const int id = args[0].toInt(&number);
                         if (!number || !session.LogIn(id)) {
                             session.Print(QStringLiteral("ERROR: no operator ") + args[0]);
                         }
                     });
    session.Register(QStringLiteral("answer"), 1, TDeskSession::AnyCount,
                     QStringLiteral("yes|no ..."), [&session](const QStringList& args) {
                         QList<bool> answers;
                         for (const QString& word : args) {
                             const auto answer = YesNo(word);
                             if (!answer) {
                                 session.Print(QStringLiteral("ERROR: usage: answer yes|no ..."));
                                 return;
                             }
                             answers.append(*answer);
                         }
                         for (const bool answer : answers) {
                             session.Prompter().QueueAnswer(answer);
                         }
                     });
    // An entry the dialog would refuse is refused here already: the dialog
    // would ask again, and an empty queue confirms the refused entry once more.
    session.Register(
        QStringLiteral("penalty"), 1, 1, QStringLiteral("AMOUNT|cancel"),
        [&session](const QStringList& args) {
            if (args[0] == QLatin1String("cancel")) {
                session.Prompter().QueuePenalty(std::nullopt);
            } else if (InputChecks::CheckMoney(QStringLiteral("penalty"), args[0], true)) {
                session.Prompter().QueuePenalty(args[0]);
            }
        });
    session.Register(QStringLiteral("sql"), 1, 1, QStringLiteral("STATEMENT"),
                     [&session](const QStringList& args) {
                         SqlPrinter::Execute(session.Dm(), args[0], session.Out());
                         session.ReloadRows();
                     });
}

} // namespace DeskCommonCommands
