#include "tools/vintorctl/Options.h"

#include "storage/Clock.h"
#include "storage/JetDate.h"

TOptions::TOptions(const QStringList& args) {
    for (int i = 0; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1String("--"))) {
            names_.append(args[i].mid(2));
            values_.append(i + 1 < args.size() ? args[++i] : QString());
        } else {
            positional_.append(args[i]);
        }
    }
}

QString TOptions::Value(const QString& name) const {
    const int i = int(names_.indexOf(name));
    return i < 0 ? QString() : values_[i];
}

bool TOptions::Has(const QString& name) const {
    return names_.contains(name);
}

bool TOptions::ApplyToday(QTextStream& err) const {
    if (!Has(QStringLiteral("today"))) {
        return true;
    }
    const auto date = JetDate::ParseShort(Value(QStringLiteral("today")));
    if (!date) {
        err << "日期不正确: " << Value(QStringLiteral("today")) << "\n";
        return false;
    }
    TClock::SetToday(*date);
    return true;
}

TMessagePrinter::TMessagePrinter(QTextStream& stream) {
    prompter_.OnMessage = [&stream](const TScriptedPrompter::Message& message) {
        stream << (message.kind == TScriptedPrompter::Kind::Error ? "ERROR: " : "WARN: ")
               << message.text << "\n";
    };
}
