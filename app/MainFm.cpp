#include "app/MainFm.h"

#include "app/AboutFm.h"
#include "app/BeginnerFm.h"
#include "app/ChildFm.h"
#include "app/ExitFm.h"
#include "app/FileChooser.h"
#include "app/HelpFm.h"
#include "app/KeyReleaseFilter.h"
#include "app/LedgerActions.h"
#include "app/MainActions.h"
#include "app/OpenDbFm.h"
#include "app/Session.h"
#include "app/StatusTexts.h"
#include "app/TipFm.h"
#include "app/UpgradeBarFm.h"
#include "app/WebActions.h"
#include "app/kit/WaitCursor.h"
#include "storage/Prompter.h"
#include "storage/dao/Errors.h"
#include "storage/ledger/LedgerFiles.h"
#include "storage/ledger/LedgerUpgrade.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStackedLayout>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const QString ProgramTitle = QStringLiteral("Tolmar-didorivizo");
const QString LedgerTitle = QStringLiteral("Tolmar-didorivizov2.06 ");
const QString Notice = QStringLiteral("Tolmar软件 竭诚为您服务");
constexpr int PanelWidths[4] = {180, 120, 250, 50};
constexpr int ClockIntervalMs = 1000;
constexpr int BeginnerDelayMs = 5000;

template <class T> void ShowModal(QWidget* parent) {
    T window(parent);
    window.Exec();
}

} // namespace

TMainFm::TMainFm(TSession& session, QWidget* parent)
    : QMainWindow(parent), lbCaption(new QLabel), lbClock(new QLabel), session_(session) {
    setObjectName(QStringLiteral("Vintor"));
    setWindowTitle(ProgramTitle);
    QApplication::setApplicationName(ProgramTitle);
    resize(1024, 768);
    BuildMenus();
    BuildWorkArea();
    BuildStatusBar();
    WireActions();
    ApplyPermissions();

    clockTimer_.setInterval(ClockIntervalMs);
    connect(&clockTimer_, &QTimer::timeout, this, &TMainFm::TickClock);
    clockTimer_.start();
    TickClock();
    beginnerTimer_.setSingleShot(true);
    beginnerTimer_.setInterval(BeginnerDelayMs);
    connect(&beginnerTimer_, &QTimer::timeout, this, &TMainFm::ShowBeginnerOnce);
}

TMainFm::~TMainFm() {
    // The working windows go first: they may still use the session.
    CloseWorkingWindows();
}

void TMainFm::BuildMenus() {
    for (const MainActions::TMenu& entry : MainActions::Menus()) {
        QMenu* menu = menuBar()->addMenu(entry.caption);
        menu->setObjectName(entry.name);
        menu->menuAction()->setVisible(!entry.hidden);
        menus_.insert(entry.name, menu);
    }
    for (const MainActions::TAction& entry : MainActions::Actions()) {
        auto* action = new QAction(entry.caption, this);
        action->setObjectName(entry.name);
        action->setShortcut(entry.key);
        action->setShortcutContext(Qt::ApplicationShortcut);
        action->setData(entry.tag);
        action->setVisible(!entry.hidden);
        // A hidden entry keeps its shortcut only while it is in the window.
        addAction(action);
        menus_.value(entry.menu)->addAction(action);
        actions_.insert(entry.name, action);
        connect(action, &QAction::triggered, this, [this, name = entry.name] {
            if (const auto handler = handlers_.value(name)) {
                handler();
            }
        });
    }
}

void TMainFm::BuildWorkArea() {
    auto* central = new QWidget(this);
    pnCaption = new QWidget(central);
    pnCaption->setObjectName(QStringLiteral("pnCaption"));
    pnCaption->setAutoFillBackground(true);
    QPalette palette = pnCaption->palette();
    palette.setColor(QPalette::Window, QColor(0x1f, 0x4e, 0x8c));
    palette.setColor(QPalette::WindowText, Qt::white);
    pnCaption->setPalette(palette);
    lbCaption->setParent(pnCaption);
    lbCaption->setObjectName(QStringLiteral("lbCaption"));
    QFont font = lbCaption->font();
    font.setPointSize(font.pointSize() + 3);
    font.setBold(true);
    lbCaption->setFont(font);
    lbClock->setParent(pnCaption);
    lbClock->setObjectName(QStringLiteral("lbClock"));
    auto* captionLayout = new QHBoxLayout(pnCaption);
    captionLayout->setContentsMargins(10, 4, 10, 4);
    captionLayout->addWidget(lbCaption);
    captionLayout->addStretch();
    captionLayout->addWidget(lbClock);

    pnBase = new QWidget(central);
    pnBase->setObjectName(QStringLiteral("pnBase"));
    baseLayout_ = new QStackedLayout(pnBase);
    baseLayout_->setStackingMode(QStackedLayout::StackAll);
    baseLayout_->setContentsMargins(0, 0, 0, 0);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnCaption);
    layout->addWidget(pnBase, 1);
    setCentralWidget(central);
}

void TMainFm::BuildStatusBar() {
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setMinimumWidth(PanelWidths[i]);
        statusBar()->addWidget(panels_[i], i == 3 ? 1 : 0);
    }
    panels_[0]->setText(Notice);
}

void TMainFm::On(const QString& action, std::function<void()> handler) {
    handlers_.insert(action, std::move(handler));
}

void TMainFm::WireActions() {
    On(QStringLiteral("aOpen"), [this] {
        if (ChooseAndOpenLedger()) {
            ApplyPermissions();
            FillStatusBar();
            OpenChild(QStringLiteral("aRental"));
        }
    });
    On(QStringLiteral("aDataTools"), [this] { LedgerActions::DataTools(this, ledgerPath_); });
    On(QStringLiteral("aMailto"), [this] { WebActions::SendLedgerByMail(this, ledgerPath_); });
    On(QStringLiteral("aBackup"), [this] { LedgerActions::Backup(this, ledgerPath_); });
    On(QStringLiteral("aRestore"), [this] { LedgerActions::Restore(this, ledgerPath_); });
    On(QStringLiteral("aCompact"), [this] { LedgerActions::Compact(this); });
    On(QStringLiteral("aCleaner"), [this] { LedgerActions::Cleaner(this); });
    On(QStringLiteral("aLogin"), [this] { Relogin(); });
    On(QStringLiteral("aLeave"), [this] { Leave(); });
    On(QStringLiteral("aExit"), [this] { close(); });
    On(QStringLiteral("aContent"), [this] { THelpFm::ShowHelp(this); });
    On(QStringLiteral("aBeginner"), [this] { ShowModal<TBeginnerFm>(this); });
    On(QStringLiteral("aTip"), [this] { ShowModal<TTipFm>(this); });
    On(QStringLiteral("aHomepage"), [] { WebActions::OpenHomePage(); });
    On(QStringLiteral("aNewVersion"), [this] { WebActions::CheckForUpdate(this); });
    On(QStringLiteral("aAbout"), [this] { ShowModal<TAboutFm>(this); });
}

void TMainFm::ApplyPermissions() {
    const TOperator& op = session_.Operator;
    for (const MainActions::TAction& entry : MainActions::Actions()) {
        const bool available = handlers_.contains(entry.name) || childActions_.contains(entry.name);
        actions_.value(entry.name)->setEnabled(available && MainActions::Permitted(entry, op));
    }
    menus_.value(MainActions::ReportMenu)
        ->menuAction()
        ->setEnabled(op.Has(MainActions::ReportPermission));
}

void TMainFm::FillStatusBar() {
    ShowLoginPanels();
    panels_[3]->setText(StatusTexts::Shop(session_.ShopInfo));
}

void TMainFm::SettingsChanged() {
    ApplyPermissions();
    panels_[1]->setText(StatusTexts::LoginUser(session_.Operator));
    panels_[3]->setText(StatusTexts::Shop(session_.ShopInfo));
}

void TMainFm::ShowLoginPanels() {
    panels_[1]->setText(StatusTexts::LoginUser(session_.Operator));
    panels_[2]->setText(StatusTexts::LoginTime(QDateTime::currentDateTime()));
}

void TMainFm::TickClock() {
    lbClock->setText(StatusTexts::Clock(QDateTime::currentDateTime()));
}

void TMainFm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The ledger and the login come once the window is on the screen, unless
    // a ledger was opened before it was shown.
    if (!started_) {
        QTimer::singleShot(0, this, [this] {
            if (!started_ && ledgerPath_.isEmpty()) {
                Start();
            }
        });
    }
}

bool TMainFm::Start() {
    started_ = true;
    QString path = session_.Settings.DefaultDb();
    for (;;) {
        if (!QFileInfo(path).isFile()) {
            const std::optional<QString> chosen = ChooseLedger(this);
            if (!chosen) {
                close();
                return false;
            }
            path = *chosen;
        }
        const TOpenResult result = OpenLedger(path);
        if (result == TOpenResult::Opened) {
            break;
        }
        if (result == TOpenResult::Refused) {
            close();
            return false;
        }
        // The engine's message was shown; the ledger dialog comes again.
        path.clear();
    }
    ApplyPermissions();
    FillStatusBar();
    OpenChild(QStringLiteral("aRental"));
    beginnerTimer_.start();
    return true;
}

bool TMainFm::ChooseAndOpenLedger() {
    for (;;) {
        const std::optional<QString> chosen = ChooseLedger(this);
        if (!chosen) {
            return false;
        }
        const TOpenResult result = OpenLedger(*chosen);
        if (result != TOpenResult::Unreadable) {
            return result == TOpenResult::Opened;
        }
    }
}

TMainFm::TOpenResult TMainFm::OpenLedger(const QString& path) {
    TDAODatabase& db = session_.Dm.DbBase;
    try {
        db.Close();
        db.SetDatabaseName(path);
        db.Open();
        TUpgradeBarFm bar(this);
        LedgerUpgrade::UpgradeLedger(session_.Dm, bar);
    } catch (const EVintorError& e) {
        ShowError(e.Message());
        ReturnToPreviousLedger();
        return TOpenResult::Unreadable;
    }
    if (!Login(true)) {
        ReturnToPreviousLedger();
        return TOpenResult::Refused;
    }
    const bool switched = !ledgerPath_.isEmpty() && ledgerPath_ != path;
    ledgerPath_ = path;
    session_.ShopInfo.LoadById(1);
    session_.Printer.LoadById(1);
    setWindowTitle(LedgerTitle + path);
    // Windows of the ledger before hold its rows; they must not write here.
    if (switched) {
        CloseWorkingWindows();
    }
    return TOpenResult::Opened;
}

void TMainFm::ReturnToPreviousLedger() {
    TDAODatabase& db = session_.Dm.DbBase;
    db.Close();
    if (ledgerPath_.isEmpty()) {
        return;
    }
    try {
        db.SetDatabaseName(ledgerPath_);
        db.Open();
    } catch (const EVintorError& e) {
        ShowError(e.Message());
    }
}

void TMainFm::Relogin() {
    if (Login(true)) {
        ApplyPermissions();
        ShowLoginPanels();
    }
}

void TMainFm::Leave() {
    leaving_ = true;
    showMinimized();
}

void TMainFm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && leaving_ && !isMinimized()) {
        QTimer::singleShot(0, this, &TMainFm::ComeBack);
    }
}

void TMainFm::ComeBack() {
    if (!leaving_ || comingBack_ || isMinimized()) {
        return;
    }
    comingBack_ = true;
    if (Login(false)) {
        leaving_ = false;
    } else {
        showMinimized();
    }
    comingBack_ = false;
}

void TMainFm::SetLogin(TLoginWindow login) {
    login_ = std::move(login);
}

bool TMainFm::Login(bool chooseOperator) {
    return login_ && login_(session_.Operator, chooseOperator, this);
}

void TMainFm::SetChildAction(const QString& action, std::type_index type,
                             std::function<TChildFm*()> make, std::function<void(TChildFm*)> run) {
    childActions_.insert(action, TChildAction{type, std::move(make), std::move(run)});
    On(action, [this, action] { OpenChild(action); });
    ApplyPermissions();
}

void TMainFm::OpenChild(const QString& action) {
    const auto found = childActions_.constFind(action);
    if (found == childActions_.cend() || !actions_.value(action)->isEnabled()) {
        return;
    }
    if (current_ && std::type_index(typeid(*current_)) == found->type) {
        return;
    }
    TWaitCursor wait;
    TChildFm* window = found->make();
    ShowChild(window);
    if (found->run) {
        found->run(window);
    }
}

void TMainFm::ShowChild(TChildFm* window) {
    if (current_ && !current_->StaysBeneath()) {
        baseLayout_->removeWidget(current_);
        delete current_;
    }
    current_ = window;
    TKeyReleaseFilter::Instance().SetCurrent(window);
    lbCaption->setText(window->windowTitle());
    window->setWindowFlags(Qt::Widget);
    baseLayout_->addWidget(window);
    baseLayout_->setCurrentWidget(window);
    window->show();
    window->raise();
    window->setFocus();
}

void TMainFm::CloseWorkingWindows() {
    while (baseLayout_->count() > 0) {
        QWidget* window = baseLayout_->widget(0);
        baseLayout_->removeWidget(window);
        delete window;
    }
    current_ = nullptr;
    TKeyReleaseFilter::Instance().SetCurrent(nullptr);
    lbCaption->clear();
}

void TMainFm::closeEvent(QCloseEvent* event) {
    if (!MayClose()) {
        event->ignore();
        return;
    }
    if (!ledgerPath_.isEmpty()) {
        try {
            session_.Settings.SetDefaultDb(ledgerPath_);
        } catch (const EVintorError& e) {
            ShowError(e.Message());
        }
    }
    clockTimer_.stop();
    beginnerTimer_.stop();
    event->accept();
}

bool TMainFm::MayClose() {
    if (!session_.LoggedIn()) {
        return true;
    }
    switch (session_.Settings.ExitKind()) {
    case TSettings::ExitBackUp:
        BackupOnExit();
        return true;
    case TSettings::ExitAsk:
        switch (TExitFm::Ask(this)) {
        case TExitFm::BackupAndExit:
            BackupOnExit();
            return true;
        case TExitFm::ExitOnly:
            return true;
        case TExitFm::StayOpen:
            return false;
        }
        return false;
    default:
        return true;
    }
}

void TMainFm::BackupOnExit() {
    QString directory = session_.Settings.BackupPath();
    if (directory.isEmpty() || !QDir(directory).exists()) {
        ShowWarning(QStringLiteral("备份目录不存在，请先选择备份目录!"));
        const QString chosen = TFileChooser::Current().ChooseDirectory(
            this, QStringLiteral("选择备份目录"), directory);
        if (chosen.isEmpty()) {
            return;
        }
        directory = chosen.endsWith(u'/') ? chosen : chosen + u'/';
        try {
            session_.Settings.SetBackupPath(directory);
        } catch (const EVintorError& e) {
            ShowError(e.Message());
        }
    }
    TWaitCursor wait;
    LedgerFiles::Backup(session_.Dm.DbBase, directory + QFileInfo(ledgerPath_).fileName());
}

void TMainFm::ShowBeginnerOnce() {
    if (session_.Settings.Beginer() == 0) {
        ShowModal<TBeginnerFm>(this);
    }
}
