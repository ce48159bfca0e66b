#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <map>

using namespace velmora;

namespace {

// The magic bytes of each MIME type in the shared-mime-info file, "\xNN" escapes decoded.
std::map<QString, QByteArray> declaredMagic()
{
    QFile file(QString::fromStdString(test::distFile("org.velmora.Velmora.mime.xml")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::map<QString, QByteArray> magic;
    QString type;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("mime-type")) type = xml.attributes().value("type").toString();
        if (xml.name() == QLatin1String("match")) {
            const QString value = xml.attributes().value("value").toString();
            QByteArray bytes;
            for (qsizetype i = 0; i < value.size(); ++i) {
                if (value[i] == QLatin1Char('\\') && i + 3 < value.size() && value[i + 1] == QLatin1Char('x')) {
                    bytes.append(char(value.mid(i + 2, 2).toInt(nullptr, 16)));
                    i += 3;
                } else {
                    bytes.append(char(value[i].toLatin1()));
                }
            }
            magic[type] = bytes;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return magic;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// File managers tell documents and style sheets apart by their first bytes; whatever the
// page holds, the files begin the way the type declares.
TEST(FileTypeMagic, DocumentsAndStyleSheetsBeginAsDeclared)
{
    const auto magic = declaredMagic();
    ASSERT_EQ(magic.size(), 2u);
    QTemporaryDir dir;
    for (int paper : {0, 1})
        for (int layout : {0, 21}) {
            TCalendarPanel32 page;
            page.ResetToDefaults();
            page.SetCalendarLayout(layout);
            page.SetPaperKind(paper);
            const QString doc = dir.filePath(QStringLiteral("page.QXF"));
            const QString style = dir.filePath(QStringLiteral("page.QXS"));
            SaveToFile(page, doc);
            SaveStyleSheet(page, style);
            EXPECT_TRUE(readAll(doc).startsWith(magic.at(QStringLiteral("application/x-velmora-calendar"))));
            EXPECT_TRUE(readAll(style).startsWith(magic.at(QStringLiteral("application/x-velmora-style"))));
            EXPECT_FALSE(readAll(doc).startsWith(magic.at(QStringLiteral("application/x-velmora-style"))));
        }
}
