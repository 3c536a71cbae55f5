#pragma once

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace UiTestHelpers {

// Runs `step` with the modal window once one is on screen and active (inside
// its loop).
inline void WhenModal(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            EXPECT_TRUE(QTest::qWaitFor([modal] { return modal->isActiveWindow(); }))
                << "the modal window never became active";
            step(modal);
        } else {
            WhenModal(step);
        }
    });
}

// Keeps a picture of a window under docs/screenshots/ when the run asks for
// it (VINTOR_SCREENSHOTS=1), so ordinary test runs leave the tree alone.
inline void SaveScreenshot(const QPixmap& picture, const QString& name) {
    if (qEnvironmentVariableIsEmpty("VINTOR_SCREENSHOTS")) {
        return;
    }
    const QDir dir(QStringLiteral(VINTOR_SOURCE_DIR "/docs/screenshots"));
    dir.mkpath(QStringLiteral("."));
    picture.save(dir.filePath(name));
}

} // namespace UiTestHelpers
