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

// Starts on two displays of one user are two programs; the same display is one.
TEST(SingleInstance, ChannelIsPerUserAndDisplay)
{
    EXPECT_EQ(TJustOne::NameFor(1000, ":0"), TJustOne::NameFor(1000, ":0"));
    EXPECT_NE(TJustOne::NameFor(1000, ":0"), TJustOne::NameFor(1000, ":1"));
    EXPECT_NE(TJustOne::NameFor(1000, ":0"), TJustOne::NameFor(1001, ":0"));
    EXPECT_NE(TJustOne::NameFor(1000, "wayland-0"), TJustOne::NameFor(1000, "wayland-1"));
    EXPECT_EQ(TJustOne::NameFor(1000, ""), "velmora-1000");
    // A display that is a path or names a host still gives a plain file name.
    for (const char *display : {"/run/user/1000/wayland-0", "localhost:10.0", "a b\\c"}) {
        const QString name = TJustOne::NameFor(1000, QString::fromLatin1(display));
        EXPECT_FALSE(name.contains('/')) << display;
        EXPECT_FALSE(name.contains(':')) << display;
        EXPECT_FALSE(name.contains(' ')) << display;
        EXPECT_TRUE(name.startsWith("velmora-1000-")) << display;
    }

    const QByteArray oldDisplay = qgetenv("DISPLAY");
    const QByteArray oldWayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("DISPLAY", ":7");
    const QString x11 = TJustOne::DefaultName();
    qputenv("WAYLAND_DISPLAY", "wayland-3");
    EXPECT_NE(TJustOne::DefaultName(), x11);
    EXPECT_TRUE(TJustOne::DefaultName().endsWith("wayland-3"));
    oldDisplay.isNull() ? qunsetenv("DISPLAY") : qputenv("DISPLAY", oldDisplay);
    oldWayland.isNull() ? qunsetenv("WAYLAND_DISPLAY") : qputenv("WAYLAND_DISPLAY", oldWayland);
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
