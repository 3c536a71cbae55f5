#include "app/SingleInstance.h"

#include "tests/app/ModalDriver.h"

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
