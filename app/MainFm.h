#pragma once

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <functional>
#include <typeindex>

class QAction;
class QLabel;
class QMenu;
class QStackedLayout;
class TChildFm;
class TOperator;
class TSession;

// The main window: menu, status bar, the caption strip with its clock and the
// work area that holds one working window at a time. It opens ledgers, logs
// operators in and decides whether the program may close.
class TMainFm : public QMainWindow {
    Q_OBJECT
public:
    enum class TOpenResult { Opened, Unreadable, Refused };
    // Shows the login window: replaces `current` on success; `chooseOperator`
    // false fixes the list to `current`.
    using TLoginWindow =
        std::function<bool(TOperator& current, bool chooseOperator, QWidget* parent)>;

    explicit TMainFm(TSession& session, QWidget* parent = nullptr);
    ~TMainFm() override;

    // What happens when the window first shows: the last ledger, or the
    // ledger dialog, then the login. False when the program ends; the window
    // has then been closed.
    bool Start();
    // Connects to the ledger, upgrades it and asks for a login. On failure the
    // previous ledger, if any, is open again and nothing else has changed.
    TOpenResult OpenLedger(const QString& path);
    // "打开/新建账本": the ledger dialog until a ledger opens or it is cancelled.
    bool ChooseAndOpenLedger();

    void ApplyPermissions();
    void FillStatusBar();
    // After the settings window changed the logged-in operator's row or the
    // shop's data: the menu follows the permissions, the status bar the names.
    void SettingsChanged();
    // "重新登录系统": the working window stays.
    void Relogin();
    // "暂时离开": minimised until an operator logs in again.
    void Leave();
    bool Leaving() const { return leaving_; }

    // The login window the ledger opening, "重新登录系统" and the return from
    // "暂时离开" show; without one every login is refused.
    void SetLogin(TLoginWindow login);
    // Makes `window` the working window (the main window owns it). A current
    // window that stays beneath newer ones (a report preview) stays alive
    // beneath it; any other is closed.
    void ShowChild(TChildFm* window);
    // Connects an action to the working window it opens and enables it.
    // `run` is called once the window shows (the reports run their query).
    void SetChildAction(const QString& action, std::type_index type,
                        std::function<TChildFm*()> make,
                        std::function<void(TChildFm*)> run = nullptr);
    template <class T> void SetChildAction(const QString& action) {
        SetChildAction(action, typeid(T), [] { return new T; });
    }
    // Opens the working window of the action unless one of its class is current.
    void OpenChild(const QString& action);

    QAction* Action(const QString& name) const { return actions_.value(name); }
    QMenu* Menu(const QString& name) const { return menus_.value(name); }
    TChildFm* CurrentChild() const { return current_; }
    const QString& LedgerPath() const { return ledgerPath_; }
    QLabel* StatusPanel(int index) const { return panels_[index]; }
    QLabel* lbCaption;
    QLabel* lbClock;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct TChildAction {
        std::type_index type;
        std::function<TChildFm*()> make;
        std::function<void(TChildFm*)> run;
    };

    void BuildMenus();
    void BuildWorkArea();
    void BuildStatusBar();
    void WireActions();
    void ShowLoginPanels();
    bool Login(bool chooseOperator);
    void On(const QString& action, std::function<void()> handler);
    void ReturnToPreviousLedger();
    void CloseWorkingWindows();
    void ComeBack();
    bool MayClose();
    void BackupOnExit();
    void ShowBeginnerOnce();
    void TickClock();

    TSession& session_;
    TLoginWindow login_;
    QString ledgerPath_;
    bool leaving_ = false;
    bool comingBack_ = false;
    bool started_ = false;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, std::function<void()>> handlers_;
    QHash<QString, TChildAction> childActions_;
    QWidget* pnCaption = nullptr;
    QWidget* pnBase = nullptr;
    QStackedLayout* baseLayout_ = nullptr;
    TChildFm* current_ = nullptr;
    QLabel* panels_[4] = {};
    QTimer clockTimer_;
    QTimer beginnerTimer_;
};
