#include "app/StartUp.h"

#include "app/FlashFm.h"
#include "app/MainFm.h"
#include "app/QtChinese.h"
#include "app/QtPrompter.h"
#include "app/Session.h"
#include "app/SingleInstance.h"

#include <QApplication>
#include <QTranslator>

namespace StartUp {

int Run(int argc, char* argv[], const std::function<void(TMainFm&)>& compose,
        const TQtPrompter::TPenaltyDialog& penaltyDialog) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolmar-didorivizo"));
    QTranslator qtChinese;
    QtChinese::Install(qtChinese);
    TSingleInstance instance;
    if (!instance.Acquire()) {
        return 0;
    }
    TQtPrompter prompter(penaltyDialog);
    const TPrompterScope prompterScope(prompter);
    TSession session;
    session.Settings.FixDateFormat();

    TMainFm window(session);
    compose(window);
    QObject::connect(&instance, &TSingleInstance::RaiseRequested, &window, [&window] {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.raise();
        window.activateWindow();
    });
    TFlashFm splash;
    splash.exec();
    window.showMaximized();
    return QApplication::exec();
}

} // namespace StartUp
