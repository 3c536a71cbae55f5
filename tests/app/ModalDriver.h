#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers modal windows in window tests: once a visible window of class T
// shows up, the action runs on it (from inside that window's modal loop).
// Drivers that never fire die with their owner.
class TModalDriver {
public:
    static constexpr int PollMs = 5;

    template <class T> void WhenShown(std::function<void(T&)> action) {
        auto* timer = new QTimer(&owner_);
        timer->setInterval(PollMs);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* window = qobject_cast<T*>(widget);
                if (window && window->isVisible()) {
                    timer->stop();
                    timer->deleteLater();
                    action(*window);
                    return;
                }
            }
        });
        timer->start();
    }

    // How many drivers are still waiting for their window.
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
    QObject owner_;
};
