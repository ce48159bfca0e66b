#include "app/Justone.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUuid>

using namespace velmora;

TEST(SingleInstance, SecondStartHandsOverAndEnds)
{
    const QString name = QStringLiteral("velmora-test-") + QUuid::createUuid().toString(QUuid::Id128);
    TJustOne first(name);
    EXPECT_FALSE(first.AnotherInstanceRunning());
    QSignalSpy activated(&first, &TJustOne::activationRequested);

    TJustOne second(name);
    EXPECT_TRUE(second.AnotherInstanceRunning());
    EXPECT_TRUE(activated.wait(2000));
}

TEST(SingleInstance, StartsAgainAfterTheFirstEnded)
{
    const QString name = QStringLiteral("velmora-test-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        TJustOne first(name);
        ASSERT_FALSE(first.AnotherInstanceRunning());
    }
    TJustOne next(name);
    EXPECT_FALSE(next.AnotherInstanceRunning());
}
