#include "app/FileChooser.h"
#include "app/ScriptedFileChooser.h"

#include <gtest/gtest.h>

TEST(FileChooserTest, FiltersBecomeQtFiltersMatchingEitherCase) {
    EXPECT_EQ(TFileChooser::QtFilter(QStringLiteral(
                  "Excel 文件 (*.xls)|*.XLS|文本文件(*.txt)|*.TXT|HTML文件(*.htm)|*.HTM")),
              QStringLiteral("Excel 文件 (*.XLS *.xls);;文本文件 (*.TXT *.txt);;"
                             "HTML文件 (*.HTM *.htm)"));
    EXPECT_EQ(TFileChooser::QtFilter(QStringLiteral("账本|*.mdb;*.MDB")),
              QStringLiteral("账本 (*.mdb *.MDB)"));
    EXPECT_EQ(TFileChooser::QtFilter(QStringLiteral("所有文件|*.*")),
              QStringLiteral("所有文件 (*.*)"));
    // A caption without its pattern is dropped rather than guessed at.
    EXPECT_EQ(TFileChooser::QtFilter(QStringLiteral("账本 (*.mdb)|*.MDB|孤零零")),
              QStringLiteral("账本 (*.MDB *.mdb)"));
}

TEST(FileChooserTest, TheScriptedChooserAnswersInTurnThenCancels) {
    TScriptedFileChooser scripted;
    TFileChooser::Install(&scripted);
    scripted.QueueAnswer(QStringLiteral("/tmp/导出.xls"));
    scripted.QueueAnswer(QStringLiteral("/media/usb"));
    TFileChooser& chooser = TFileChooser::Current();
    EXPECT_EQ(chooser.SaveFile(nullptr, QStringLiteral("当前显示数据导出到..."),
                               QStringLiteral("Excel 文件 (*.xls)|*.XLS"), QStringLiteral("/tmp"),
                               QStringLiteral("会员.xls")),
              QStringLiteral("/tmp/导出.xls"));
    EXPECT_EQ(chooser.ChooseDirectory(nullptr, QStringLiteral("备份目录"), QString()),
              QStringLiteral("/media/usb"));
    EXPECT_EQ(chooser.OpenFile(nullptr, QStringLiteral("恢复账本"), QString(), QString()),
              QString());

    ASSERT_EQ(scripted.Requests().size(), 3);
    EXPECT_EQ(scripted.Requests()[0].kind, TScriptedFileChooser::Kind::Save);
    EXPECT_EQ(scripted.Requests()[0].proposedName, QStringLiteral("会员.xls"));
    EXPECT_EQ(scripted.Requests()[1].kind, TScriptedFileChooser::Kind::Directory);
    EXPECT_EQ(scripted.Requests()[2].title, QStringLiteral("恢复账本"));

    TFileChooser::Install(nullptr);
    EXPECT_NE(&TFileChooser::Current(), &scripted);
}
