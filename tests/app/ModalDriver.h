#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers modal windows in window tests, the one way every window test does
// it. An action waits until its window is shown and active (so keys sent to it
// land there) and runs from inside that window's modal loop; a window the
// action leaves open is closed afterwards, so a test never hangs on it.
// Actions still waiting die with the driver.
class TModalDriver {
public:
    static constexpr int PollMs = 5;

    // Acts on the next window of class T to show: a dialog the code under test
    // opens itself, a message box, the login.
    template <class T> void WhenShown(std::function<void(T&)> action) {
        Await(
            []() -> QWidget* {
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if (dynamic_cast<T*>(widget) && Ready(widget)) {
                        return widget;
                    }
                }
                return nullptr;
            },
            [action](QWidget* window) { action(*dynamic_cast<T*>(window)); });
    }

    // Runs the window's own Exec with `act` done once the window is up, and
    // returns what Exec returned.
    template <class T> int Exec(T& window, std::function<void()> act) {
        const QPointer<QWidget> target(&window);
        Await([target]() -> QWidget* { return target && Ready(target) ? target.data() : nullptr; },
              [act](QWidget*) { act(); });
        return window.Exec();
    }

    // How many actions are still waiting for their window.
    int Pending() const {
        int count = 0;
        for (const QTimer* timer : owner_.findChildren<QTimer*>()) {
            count += timer->isActive() ? 1 : 0;
        }
        return count;
    }

    // Processes events until `done` holds or the time is up.
    static bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, PollMs);
        }
        return done();
    }

private:
    static bool Ready(const QWidget* window) {
        return window->isVisible() && window->isActiveWindow();
    }

    void Await(std::function<QWidget*()> find, std::function<void(QWidget*)> act) {
        auto* timer = new QTimer(&owner_);
        timer->setInterval(PollMs);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, find, act] {
            QWidget* window = find();
            if (!window) {
                return;
            }
            timer->stop();
            timer->deleteLater();
            const QPointer<QWidget> alive(window);
            act(window);
            if (alive && alive->isVisible()) {
                alive->close();
            }
        });
        timer->start();
    }

    QObject owner_;
};
