#pragma once

#include <QTimer>

#include <functional>

// Runs a modal window's Exec with `act` performed once the window is up; a
// window still open afterwards is closed, so a test never hangs on it.
namespace ModalRun {

template <class Window> int Exec(Window& window, const std::function<void()>& act) {
    QTimer::singleShot(0, &window, [&window, act] {
        act();
        if (window.isVisible()) {
            window.close();
        }
    });
    return window.Exec();
}

} // namespace ModalRun
