#include "tools/vintorctl/SqlPrinter.h"

#include "storage/dao/DM.h"

#include <QStringList>

namespace SqlPrinter {

void Execute(TDM& dm, const QString& statement, QTextStream& out) {
    TDAOQuery& q = dm.Q1;
    q.Close();
    q.SetSQL(statement);
    if (!dm.DbBase.Translate(q.FinalSql()).isQuery) {
        q.ExecSQL();
        out << "OK " << q.RowsAffected() << "\n";
        return;
    }
    q.Open();
    QStringList lines{q.FieldNames().join(u'\t')};
    for (; !q.Eof(); q.Next()) {
        QStringList values;
        for (int i = 0; i < q.FieldCount(); ++i) {
            values.append(q.Fields(i).AsString());
        }
        lines.append(values.join(u'\t'));
    }
    q.Close();
    for (const QString& line : lines) {
        out << line << "\n";
    }
}

} // namespace SqlPrinter
