#include "app/LedgerOverviewWindow.h"

#include "storage/DM.h"
#include "storage/Errors.h"
#include "storage/ProgramPaths.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString DefaultLedger() {
    const QDir data(ProgramPaths::DataDirectory());
    const QStringList ledgers = data.entryList({QStringLiteral("*.mdb")}, QDir::Files);
    return ledgers.isEmpty() ? QString() : data.filePath(ledgers.front());
}

} // namespace

TLedgerOverviewWindow::TLedgerOverviewWindow(const QString& ledgerPath, QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Tolmar-didorivizo"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* caption = new QLabel(central);
    auto* table = new QTableWidget(0, 2, central);
    table->setHorizontalHeaderLabels({QStringLiteral("数据表"), QStringLiteral("记录数")});
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(caption);
    layout->addWidget(table);
    setCentralWidget(central);

    const QString path = ledgerPath.isEmpty() ? DefaultLedger() : ledgerPath;
    TDM dm;
    dm.DbBase.SetDatabaseName(path);
    try {
        const QString build = dm.SqlFieldText(QStringLiteral("SELECT Version FROM TbVersion"),
                                              QStringLiteral("Version"));
        caption->setText(QStringLiteral("账本：%1    版本：%2").arg(path, build));
        dm.OpenSql(QStringLiteral("SELECT name FROM sqlite_master WHERE type=\"table\" AND name "
                                  "LIKE \"Tb*\" ORDER BY name"));
        QStringList tables;
        for (; !dm.Q1.Eof(); dm.Q1.Next()) {
            tables.append(dm.Q1.Fields(0).AsString());
        }
        for (const QString& name : tables) {
            const int row = table->rowCount();
            table->insertRow(row);
            table->setItem(row, 0, new QTableWidgetItem(name));
            table->setItem(row, 1,
                           new QTableWidgetItem(dm.SqlFieldText(
                               QStringLiteral("SELECT Count(*) AS N FROM %1").arg(name),
                               QStringLiteral("N"))));
        }
    } catch (const EVintorError& e) {
        caption->setText(e.Message());
    }
    dm.DbBase.Close();
}
