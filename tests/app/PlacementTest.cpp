#include "app/Placement.h"
#include "app/HelpFm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QRect ScreenArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// At start-up the main window is maximised while its frame still has the
// size it was made with: the first dialogs centre on the screen, not on that.
TEST(PlacementTest, OnlyAnOwnerShownInItsNormalStateIsCentredOn) {
    QWidget owner;
    owner.setGeometry(10, 20, 300, 200);
    QWidget dialog;
    EXPECT_EQ(Placement::Area(&dialog, nullptr), ScreenArea());
    EXPECT_EQ(Placement::Area(&dialog, &owner), ScreenArea()) << "not shown yet";

    owner.show();
    EXPECT_EQ(Placement::Area(&dialog, &owner), owner.frameGeometry());

    owner.showMinimized();
    EXPECT_EQ(Placement::Area(&dialog, &owner), ScreenArea());
    owner.showNormal();
    owner.resize(1024, 768);
    owner.showMaximized();
    EXPECT_EQ(Placement::Area(&dialog, &owner), ScreenArea());
}

TEST(PlacementTest, TheHelpWindowOpensInTheMiddleOfTheScreen) {
    QWidget main;
    main.showMaximized();
    THelpFm* help = THelpFm::ShowHelp(&main);
    const QPoint offset = help->frameGeometry().center() - ScreenArea().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
    help->close();
}

} // namespace
