#pragma once

#include <QDir>
#include <QPixmap>
#include <QString>

#include <gtest/gtest.h>

// Pictures of the windows for docs/screenshots/. Ordinary runs leave the tree
// alone; a run with VINTOR_SCREENSHOTS=1 writes them. Tests that exist only to
// take pictures skip unless it is set.
namespace Screenshots {

inline bool Wanted() {
    return !qEnvironmentVariableIsEmpty("VINTOR_SCREENSHOTS");
}

// Keeps the picture as docs/screenshots/<name> when pictures are wanted.
inline void Save(const QPixmap& picture, const QString& name) {
    if (!Wanted()) {
        return;
    }
    const QDir dir(QStringLiteral(VINTOR_SOURCE_DIR "/docs/screenshots"));
    dir.mkpath(QStringLiteral("."));
    EXPECT_TRUE(picture.save(dir.filePath(name))) << name.toStdString();
}

} // namespace Screenshots
