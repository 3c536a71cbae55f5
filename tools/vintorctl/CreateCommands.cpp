#include "storage/Errors.h"
#include "storage/ExampleLedger.h"
#include "storage/LedgerTemplate.h"
#include "tools/vintorctl/Commands.h"

namespace {

int RunMaker(const QStringList& args, QTextStream& out, QTextStream& err,
             void (*make)(const QString&), const char* usage) {
    if (args.size() != 1) {
        err << "用法: vintorctl " << usage << "\n";
        return 2;
    }
    try {
        make(args.front());
    } catch (const EVintorError& e) {
        err << e.Message() << "\n";
        return 1;
    }
    out << args.front() << "\n";
    return 0;
}

} // namespace

int RunCreate(const QStringList& args, QTextStream& out, QTextStream& err) {
    return RunMaker(args, out, err, &LedgerTemplate::CreateLedgerFromTemplate, "create PATH");
}

int RunExample(const QStringList& args, QTextStream& out, QTextStream& err) {
    return RunMaker(args, out, err, &ExampleLedger::Write, "example PATH");
}
