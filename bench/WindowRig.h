#pragma once

#include "app/Session.h"
#include "storage/ScriptedPrompter.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <vector>

class QLineEdit;
class TChildFm;
class QWidget;

// What the desk benches share: a ledger copy with a logged-in session, the
// window shown and redrawn as the operator waits for it, keys typed as a
// scanner types them, and the figures of each action.
namespace WindowRig {

// A window that did not do what the keys asked would give figures of nothing:
// the run stops instead.
void Require(bool done, const QString& what);

// What the operator waits for after a key: the work it queued (posted events,
// zero timers, layout, painting of what changed), then the window painted
// whole, so nothing is left for later.
void Redraw(QWidget& window);

// Shows `window` on its own, active, so keys reach its focused control.
void ShowActive(QWidget& window);

// The size a desk is measured at.
inline constexpr QSize DeskSize(1280, 760);

// A desk shown active at DeskSize in a window of its own, its function keys
// seen by its hook.
void ShowDesk(TChildFm& desk);

// Typed as a scanner does: the code and Enter at full speed.
void Scan(QLineEdit* box, const QString& code);

// A key where the operator is: on the focused control, else on `window`.
void Press(QWidget& window, int key);

// Wall and processor times of one action, each run timed on its own, and the
// share of the redraw; the first run warms up and is not kept.
class TFigures {
public:
    TFigures(QString name, double targetMs);

    // Times `keys` and then, given a window, its redraw.
    void Time(const std::function<void()>& keys, QWidget* window = nullptr);

    // "name  wall median/max  cpu median/max  redraw median  target  ok|OVER".
    QString Line() const;

private:
    QString name_;
    double targetMs_;
    bool warm_ = false;
    std::vector<double> wall_;
    std::vector<double> cpu_;
    std::vector<double> redraw_;
};

// A desk's surroundings: a copy of the ledger and settings of its own in a
// temporary directory, scripted messages (every question answered Yes, a late
// penalty confirmed as proposed) and the session of the ledger's
// administrator, with the receipt printer and the cash drawer off so the
// figures are the desk's.
class TLedgerSession {
public:
    explicit TLedgerSession(const QString& ledger);
    ~TLedgerSession();

    TLedgerSession(const TLedgerSession&) = delete;
    TLedgerSession& operator=(const TLedgerSession&) = delete;

    TSession& Session() { return session_; }
    TDM& Dm() { return session_.Dm; }
    TScriptedPrompter& Prompter() { return prompter_; }

private:
    QTemporaryDir dir_;
    QByteArray oldConfig_;
    TScriptedPrompter prompter_;
    TPrompterScope scope_;
    TSession session_;
};

} // namespace WindowRig
