#include "app/SingleInstance.h"
#include "storage/ledger/ProgramPaths.h"

#include "tests/app/ModalDriver.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

TEST(SingleInstanceTest, ALaterCopyIsRefusedAndRaisesTheRunningOne) {
    const QString name = QStringLiteral("VintorTest-") + QUuid::createUuid().toString(QUuid::Id128);
    TSingleInstance running(name);
    ASSERT_TRUE(running.Acquire());
    int raised = 0;
    QObject::connect(&running, &TSingleInstance::RaiseRequested, [&] { ++raised; });

    TSingleInstance later(name);
    EXPECT_FALSE(later.Acquire());
    EXPECT_TRUE(TModalDriver::WaitUntil([&] { return raised == 1; }));
}

// The lock and the socket lie where only this user can enter, so another
// user's copy on the same machine is neither blocked nor raised.
TEST(SingleInstanceTest, TheLockAndSocketArePrivateToTheUser) {
    const QString name = QStringLiteral("VintorTest-") + QUuid::createUuid().toString(QUuid::Id128);
    TSingleInstance running(name);
    ASSERT_TRUE(running.Acquire());
    const QDir runtime(ProgramPaths::RuntimeDirectory());
    EXPECT_TRUE(runtime.exists(name + QStringLiteral(".lock")));
    EXPECT_TRUE(runtime.exists(name));
    EXPECT_FALSE(QFileInfo(runtime.path()).permissions() &
                 (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther | QFile::ReadGroup |
                  QFile::WriteGroup | QFile::ExeGroup));
    EXPECT_FALSE(QDir::temp().exists(name + QStringLiteral(".lock")));
}

TEST(SingleInstanceTest, TheNameIsFreeAgainOnceTheRunningCopyEnds) {
    const QString name = QStringLiteral("VintorTest-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        TSingleInstance first(name);
        ASSERT_TRUE(first.Acquire());
    }
    TSingleInstance next(name);
    EXPECT_TRUE(next.Acquire());
}

} // namespace
