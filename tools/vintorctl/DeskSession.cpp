#include "tools/vintorctl/DeskSession.h"

#include "rental/TranscriptPort.h"
#include "storage/dao/Errors.h"

#include <QRegularExpression>

#include <algorithm>
#include <exception>

namespace {

// The next blank-separated word of `rest`, which loses it.
QString TakeWord(QString& rest) {
    const qsizetype end = rest.indexOf(QRegularExpression(QStringLiteral("\\s")));
    const QString word = end < 0 ? rest : rest.left(end);
    rest = end < 0 ? QString() : rest.mid(end).trimmed();
    return word;
}

} // namespace

TDeskSession::TDeskSession(TDM& dm, QTextStream& out)
    : dm_(dm), out_(out), prompterScope_(prompter_) {
    prompter_.OnMessage = [this](const TScriptedPrompter::Message& m) { PrintMessage(m); };
    ReloadRows();
}

void TDeskSession::Register(const QString& word, int minArgs, int maxArgs, const QString& usage,
                            THandler handler) {
    commands_.insert(word, {minArgs, maxArgs, usage, std::move(handler)});
}

QStringList TDeskSession::Usages() const {
    QStringList lines;
    for (auto command = commands_.cbegin(); command != commands_.cend(); ++command) {
        lines.append(QStringLiteral("%1 %2").arg(command.key(), command->usage).trimmed());
    }
    return lines;
}

void TDeskSession::Run(QTextStream& in) {
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(u'#')) {
            RunLine(line);
        }
    }
}

void TDeskSession::RunLine(const QString& line) {
    QString rest = line.trimmed();
    const QString word = TakeWord(rest);
    const auto command = commands_.constFind(word);
    if (command == commands_.cend()) {
        Print(QStringLiteral("ERROR: unknown command ") + word);
        return;
    }
    QStringList args;
    while (!rest.isEmpty()) {
        if (command->maxArgs != AnyCount && args.size() == std::max(command->maxArgs - 1, 0)) {
            args.append(rest);
            break;
        }
        args.append(TakeWord(rest));
    }
    if (args.size() < command->minArgs ||
        (command->maxArgs != AnyCount && args.size() > command->maxArgs)) {
        Print(QStringLiteral("ERROR: usage: %1 %2").arg(word, command->usage).trimmed());
        return;
    }
    try {
        command->handler(args);
    } catch (const EVintorError& error) {
        Print(QStringLiteral("ERROR: ") + error.Message());
    } catch (const std::exception& error) {
        Print(QStringLiteral("ERROR: ") + QString::fromUtf8(error.what()));
    }
    FlushPorts();
    out_.flush();
}

std::unique_ptr<TPrinterPort> TDeskSession::NewPrinterPort() {
    auto port = std::make_unique<TTranscriptPort>(out_);
    ports_.append(port.get());
    return port;
}

void TDeskSession::FlushPorts() {
    for (TTranscriptPort* port : ports_) {
        port->Flush();
    }
}

void TDeskSession::ReloadRows() {
    shop_.LoadById(1);
    printer_.LoadById(1);
}

bool TDeskSession::LogIn(int id) {
    TOperator cashier;
    if (!cashier.LoadById(id)) {
        return false;
    }
    cashier_ = cashier;
    return true;
}

void TDeskSession::Print(const QString& line) {
    out_ << line << "\n";
    out_.flush();
}

void TDeskSession::PrintMessage(const TScriptedPrompter::Message& original) {
    using Kind = TScriptedPrompter::Kind;
    // One message, one line: a box's line break is shown as "\n".
    TScriptedPrompter::Message message = original;
    message.text.replace(QLatin1String("\r\n"), QLatin1String("\\n"))
        .replace(u'\n', QLatin1String("\\n"));
    switch (message.kind) {
    case Kind::Warning:
        Print(QStringLiteral("WARN: ") + message.text);
        break;
    case Kind::Error:
        Print(QStringLiteral("ERROR: ") + message.text);
        break;
    case Kind::Information:
        Print(QStringLiteral("INFO: ") + message.text);
        break;
    case Kind::Question:
        Print(QStringLiteral("ASK: ") + message.text +
              (message.answer ? QStringLiteral(" -> yes") : QStringLiteral(" -> no")));
        break;
    case Kind::Penalty:
        Print(QStringLiteral("PENALTY: ") + message.text);
        break;
    }
}

QHash<QString, QString> TDeskSession::Fields(const QString& text) {
    QHash<QString, QString> fields;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype equals = word.indexOf(u'=');
        fields.insert(word.left(equals < 0 ? word.size() : equals),
                      equals < 0 ? QString() : word.mid(equals + 1));
    }
    return fields;
}
