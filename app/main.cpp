// The desktop program. Until the main window is built it opens the ledger
// named on the command line (or the example ledger of the data directory) and
// shows what it holds.
#include "app/LedgerOverviewWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolmar-didorivizo"));
    TLedgerOverviewWindow window(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    window.resize(1024, 768);
    window.show();
    return QApplication::exec();
}
