#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"
#include "tools/vintorctl/Commands.h"
#include "tools/vintorctl/Options.h"
#include "tools/vintorctl/SqlPrinter.h"

int RunSql(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err) {
    TOptions options(args);
    if (options.Positional().size() != 1 || !options.ApplyToday(err)) {
        err << "用法: vintorctl sql PATH [--today YYYY-MM-DD]\n";
        return 2;
    }
    TDM dm;
    dm.DbBase.SetDatabaseName(options.Positional().front());
    try {
        dm.DbBase.Open();
    } catch (const EVintorError& e) {
        err << e.Message() << "\n";
        return 2;
    }
    // Every statement runs; the exit status tells a script whether any failed.
    bool failed = false;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty()) {
            continue;
        }
        try {
            SqlPrinter::Execute(dm, line, out);
        } catch (const EVintorError& e) {
            out << "ERROR: " << e.Message() << "\n";
            failed = true;
        }
        out.flush();
    }
    return failed ? 1 : 0;
}
