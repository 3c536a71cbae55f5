#include "bench/WindowRig.h"

#include "app/ChildFm.h"
#include "app/KeyReleaseFilter.h"
#include "bench/Measurement.h"
#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <algorithm>

namespace WindowRig {

void Require(bool done, const QString& what) {
    if (!done) {
        throw EVintorError(QStringLiteral("the desk did not ") + what);
    }
}

void Redraw(QWidget& window) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    for (int pass = 0; pass < 20; ++pass) {
        QCoreApplication::sendPostedEvents();
        if (!dispatcher->processEvents(QEventLoop::AllEvents)) {
            break;
        }
    }
    window.repaint();
}

void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        throw EVintorError(QStringLiteral("the window did not become active"));
    }
    Redraw(window);
}

void ShowDesk(TChildFm& desk) {
    TKeyReleaseFilter::Instance().SetCurrent(&desk);
    desk.resize(DeskSize);
    ShowActive(desk);
}

void Scan(QLineEdit* box, const QString& code) {
    box->setFocus();
    QTest::keyClicks(box, code);
    QTest::keyClick(box, Qt::Key_Return);
}

void Press(QWidget& window, int key) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &window, Qt::Key(key));
}

namespace {

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const size_t half = times.size() / 2;
    return times.size() % 2 ? times[half] : (times[half - 1] + times[half]) / 2;
}

double Max(const std::vector<double>& times) {
    return *std::max_element(times.begin(), times.end());
}

} // namespace

TFigures::TFigures(QString name, double targetMs) : name_(std::move(name)), targetMs_(targetMs) {}

void TFigures::Time(const std::function<void()>& keys, QWidget* window) {
    QElapsedTimer timer;
    const double cpuStart = Measurement::CpuMs();
    timer.start();
    keys();
    const qint64 keysNs = timer.nsecsElapsed();
    if (window) {
        Redraw(*window);
    }
    const qint64 totalNs = timer.nsecsElapsed();
    if (!warm_) {
        warm_ = true;
        return;
    }
    wall_.push_back(double(totalNs) / 1e6);
    if (window) {
        redraw_.push_back(double(totalNs - keysNs) / 1e6);
    }
    cpu_.push_back(Measurement::CpuMs() - cpuStart);
}

QString TFigures::Line() const {
    if (wall_.empty()) {
        return name_ + QStringLiteral(" (no runs)");
    }
    const double wallMax = Max(wall_);
    return QStringLiteral("%1 wall %2 / %3 ms   cpu %4 / %5 ms   redraw %6 ms   target %7 ms  "
                          "%8 (%9 runs)")
        .arg(name_, -56)
        .arg(Median(wall_), 7, 'f', 2)
        .arg(wallMax, 7, 'f', 2)
        .arg(Median(cpu_), 7, 'f', 2)
        .arg(Max(cpu_), 7, 'f', 2)
        .arg(redraw_.empty() ? QStringLiteral("     -")
                             : QString::number(Median(redraw_), 'f', 2).rightJustified(6))
        .arg(targetMs_, 3, 'f', 0)
        .arg(wallMax < targetMs_ ? QStringLiteral("ok  ") : QStringLiteral("OVER"))
        .arg(wall_.size());
}

TLedgerSession::TLedgerSession(const QString& ledger) : scope_(prompter_) {
    const QString copy = dir_.filePath(QStringLiteral("desk.mdb"));
    if (!dir_.isValid() || !QFile::copy(ledger, copy)) {
        throw EVintorError(QStringLiteral("cannot copy the ledger into a temporary directory"));
    }
    oldConfig_ = qgetenv("VINTOR_CONFIG");
    qputenv("VINTOR_CONFIG", dir_.filePath(QStringLiteral("vintor.ini")).toLocal8Bit());
    TDAODatabase& db = session_.Dm.DbBase;
    db.SetDatabaseName(copy);
    db.Open();
    const QString admin = session_.Dm.SqlFieldText(
        QStringLiteral("SELECT TOP 1 Id FROM TbOperator WHERE Name=\"管理员\" ORDER BY Id"),
        QStringLiteral("Id"));
    if (!session_.Operator.LoadById(admin.toInt())) {
        throw EVintorError(QStringLiteral("the ledger has no administrator"));
    }
    session_.ShopInfo.LoadById(1);
    session_.Printer.LoadById(1);
    session_.Printer.OnOff = 0;
    session_.Printer.CashBox = 0;
}

TLedgerSession::~TLedgerSession() {
    session_.Dm.DbBase.Close();
    if (oldConfig_.isNull()) {
        qunsetenv("VINTOR_CONFIG");
    } else {
        qputenv("VINTOR_CONFIG", oldConfig_);
    }
}

} // namespace WindowRig
