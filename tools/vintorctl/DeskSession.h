#pragma once

#include "storage/Prompter.h"
#include "storage/ScriptedPrompter.h"
#include "storage/records/Operator.h"
#include "storage/records/Printer.h"
#include "storage/records/ShopInfo.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>

class TDM;
class TPrinterPort;
class TTranscriptPort;

// One counter script run on an open ledger: the program-wide rows the desks
// read (shop, printer, logged-in operator), a prompter that prints every
// message as it happens, and the table of script commands. Each group of
// commands registers its handlers from its own file.
class TDeskSession {
public:
    // Gets the words after the command word; the last one holds the rest of
    // the line.
    using THandler = std::function<void(const QStringList& args)>;
    // Any number of words, none holding the rest of the line.
    static constexpr int AnyCount = -1;

    // The ledger is open in `dm`; the session loads its rows and installs its
    // prompter for its own lifetime.
    TDeskSession(TDM& dm, QTextStream& out);
    TDeskSession(const TDeskSession&) = delete;
    TDeskSession& operator=(const TDeskSession&) = delete;

    // `word` takes minArgs…maxArgs arguments (maxArgs AnyCount: no limit);
    // `usage` names them for the message shown on a wrong count.
    void Register(const QString& word, int minArgs, int maxArgs, const QString& usage,
                  THandler handler);
    // Every registered command with its arguments, "word usage", by word.
    QStringList Usages() const;

    // Runs every line of the script; a blank line or one starting with "#" is
    // skipped.
    void Run(QTextStream& in);
    // One command line. A failure is printed as "ERROR: <message>" and the
    // script goes on.
    void RunLine(const QString& line);

    // A printer port that shows what is sent as "PRINTER:" lines, each
    // receipt's unfinished line flushed at the end of the command.
    std::unique_ptr<TPrinterPort> NewPrinterPort();
    // Reads the shop and printer rows (row 1) again.
    void ReloadRows();
    // The logged-in operator; false for an unknown Id.
    bool LogIn(int id);
    // A line of the script's output.
    void Print(const QString& line);
    // "key=value key=value …" as typed after a command; a word without "="
    // is kept under its own name with an empty value.
    static QHash<QString, QString> Fields(const QString& text);
    QTextStream& Out() { return out_; }

    TDM& Dm() const { return dm_; }
    TScriptedPrompter& Prompter() { return prompter_; }
    const TPrinter& Printer() const { return printer_; }
    const TShopInfo& Shop() const { return shop_; }
    const TOperator& Cashier() const { return cashier_; }

private:
    struct TCommand {
        int minArgs;
        int maxArgs;
        QString usage;
        THandler handler;
    };

    void PrintMessage(const TScriptedPrompter::Message& message);
    void FlushPorts();

    TDM& dm_;
    QTextStream& out_;
    TScriptedPrompter prompter_;
    TPrompterScope prompterScope_;
    TPrinter printer_;
    TShopInfo shop_;
    TOperator cashier_;
    QList<TTranscriptPort*> ports_; // owned by the receipts of the engines
    // Declared last: the handlers keep the engines, which refer to the rows
    // above, and go first.
    QMap<QString, TCommand> commands_;
};
