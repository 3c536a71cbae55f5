#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class TChildFm;

// The application's message hook: an event filter on the application that
// hands every key press and release of the current working window's
// top-level window to that window's MessageHook before the focused control
// sees it. Dialogs and pop-ups above it are not its business, and a held key
// is handed over once (auto-repeats are left to the control).
class TKeyReleaseFilter : public QObject {
    Q_OBJECT
public:
    // The filter of the running application, installed at first use.
    static TKeyReleaseFilter& Instance();

    // Points the hook at this working window; nullptr for none. A window that
    // is destroyed stops being current by itself.
    void SetCurrent(TChildFm* child);
    TChildFm* Current() const;

    // A key event goes to the focus widget (or, without one, to the window)
    // and then up its parents while nobody accepts it: true for the first
    // delivery only, so a key is acted on once.
    static bool IsFirstDelivery(const QWidget* receiver);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TKeyReleaseFilter(QObject* parent);

    QPointer<TChildFm> current_;
};
