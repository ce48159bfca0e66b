#include "app/Justone.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
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

TEST(SingleInstance, DocumentsOfASecondStartOpenInTheFirst)
{
    const QString name = QStringLiteral("velmora-test-") + QUuid::createUuid().toString(QUuid::Id128);
    TJustOne first(name);
    QSignalSpy opened(&first, &TJustOne::openRequested);
    QSignalSpy activated(&first, &TJustOne::activationRequested);

    const QStringList files = {QStringLiteral("/tmp/a b/Family Month.QXF"),
                               QStringLiteral("/tmp/\u00e9t\u00e9.QXF")};
    TJustOne second(name, nullptr, files);
    ASSERT_TRUE(second.AnotherInstanceRunning());
    ASSERT_TRUE(activated.wait(2000));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0][0].toString(), files[0]);
    EXPECT_EQ(opened[1][0].toString(), files[1]);
}

TEST(SingleInstance, EndlessRequestIsCutOffAndTheInstanceStillListens)
{
    const QString name = QStringLiteral("velmora-test-") + QUuid::createUuid().toString(QUuid::Id128);
    TJustOne first(name);
    QSignalSpy opened(&first, &TJustOne::openRequested);
    QSignalSpy activated(&first, &TJustOne::activationRequested);
    {
        QLocalSocket rogue;
        rogue.connectToServer(name);
        ASSERT_TRUE(rogue.waitForConnected(2000));
        rogue.write("open " + QByteArray(20000, 'x'));
        rogue.waitForBytesWritten(2000);
        QTest::qWait(200);
    }
    TJustOne second(name);
    EXPECT_TRUE(second.AnotherInstanceRunning());
    EXPECT_TRUE(activated.wait(2000));
    EXPECT_EQ(opened.size(), 0);
}

TEST(SingleInstance, DocumentsAmongTheArguments)
{
    const QString here = QDir::currentPath();
    const QStringList files = TJustOne::FilesFromArguments(
        {QStringLiteral("velmora"), QStringLiteral("--style=fusion"), QStringLiteral("Plan.QXF"),
         QStringLiteral("/abs/Year.QXF"), QStringLiteral("file:///home/u/My%20Month.QXF"), QString()});
    EXPECT_EQ(files, (QStringList{here + QStringLiteral("/Plan.QXF"), QStringLiteral("/abs/Year.QXF"),
                                  QStringLiteral("/home/u/My Month.QXF")}));
}
