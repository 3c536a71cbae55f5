#include "app/QtChinese.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

// The standard buttons and the file chooser take their texts from Qt's own
// catalogue; with it installed they read in Chinese.
TEST(QtChineseTest, QtsOwnTextsReadInChinese) {
    QTranslator translator;
    ASSERT_TRUE(QtChinese::Install(translator)) << "qt6-translations-l10n is not installed";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

} // namespace
