#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace velmora;

// Every sample reads without losing anything and writes back to the very same bytes, so a
// sample opened and saved unchanged is the sample.
TEST(ShippedSamples, EverySampleReadsBackAndResavesByteIdentical)
{
    const QDir folder(QString::fromStdString(test::shippedData("Samples")));
    const QStringList files = folder.entryList({QStringLiteral("*.QXF")}, QDir::Files);
    EXPECT_GE(files.size(), 8);
    for (const QString &name : files) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray stored = f.readAll();
        TCalendarPanel32 page;
        page.ResetToDefaults();
        const TLoadReport report = LoadFromFile(page, folder.filePath(name), &page.DocumentObjects());
        EXPECT_EQ(report.objectsLost, 0) << name.toStdString();
        const TBytes again = DocumentBytes(page, &page.DocumentObjects());
        EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(again.data()), qsizetype(again.size())), stored)
            << name.toStdString();
    }
}
