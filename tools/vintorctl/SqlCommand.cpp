#include "storage/Clock.h"
#include "storage/DM.h"
#include "storage/Errors.h"
#include "storage/JetDate.h"
#include "tools/vintorctl/Commands.h"
#include "tools/vintorctl/Options.h"

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
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty()) {
            continue;
        }
        try {
            TDAOQuery& q = dm.Q1;
            q.Close();
            q.SetSQL(line);
            if (dm.DbBase.Translate(q.FinalSql()).isQuery) {
                q.Open();
                out << q.FieldNames().join(u'\t') << "\n";
                for (; !q.Eof(); q.Next()) {
                    QStringList values;
                    for (int i = 0; i < q.FieldCount(); ++i) {
                        values.append(q.Fields(i).AsString());
                    }
                    out << values.join(u'\t') << "\n";
                }
                q.Close();
            } else {
                q.ExecSQL();
                out << "OK " << q.RowsAffected() << "\n";
            }
        } catch (const EVintorError& e) {
            out << "ERROR: " << e.Message() << "\n";
        }
        out.flush();
    }
    return 0;
}
