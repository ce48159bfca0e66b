#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <set>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

uint32_t u16(const QByteArray &b, qsizetype at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8;
}
uint32_t u32(const QByteArray &b, qsizetype at) { return u16(b, at) | u16(b, at + 2) << 16; }

// Object table of a metafile: selecting or deleting needs a live object.
struct TSlots
{
    std::set<uint32_t> live;
    uint32_t limit;
    bool create(uint32_t lowestFrom)
    {
        uint32_t i = lowestFrom;
        while (live.count(i)) ++i;
        if (i >= limit) return false;
        live.insert(i);
        return true;
    }
};

// Walks a placeable Windows metafile record by record. Empty when it is sound, else what
// is wrong.
std::string checkWmf(const QByteArray &b)
{
    if (b.size() < 22 + 18 + 6) return "too short";
    if (u32(b, 0) != 0x9AC6CDD7u) return "no placeable key";
    uint32_t sum = 0;
    for (int i = 0; i < 20; i += 2) sum ^= u16(b, i);
    if (sum != u16(b, 20)) return "placeable checksum";
    if (u16(b, 22) != 1 || u16(b, 24) != 9 || u16(b, 26) != 0x0300) return "header";
    if (qsizetype(u32(b, 28)) * 2 != b.size() - 22) return "size in words";
    TSlots table{{}, u16(b, 32)};
    const uint32_t maxRecord = u32(b, 34);
    uint32_t largest = 0;
    qsizetype at = 22 + 18;
    while (true) {
        if (at + 6 > b.size()) return "cut record";
        const uint32_t words = u32(b, at), function = u16(b, at + 4);
        if (words < 3 || at + qsizetype(words) * 2 > b.size()) return "record size";
        largest = std::max(largest, words);
        if (function == 0x02FA || function == 0x02FC || function == 0x02FB) {
            if (!table.create(0)) return "object table overflow";
        } else if (function == 0x012D || function == 0x01F0) {
            const uint32_t index = u16(b, at + 6);
            if (!table.live.count(index)) return "select or delete of no object";
            if (function == 0x01F0) table.live.erase(index);
        }
        at += qsizetype(words) * 2;
        if (function == 0) break;
    }
    if (at != b.size()) return "bytes after the end record";
    if (largest != maxRecord) return "largest record";
    return {};
}

std::string checkEmf(const QByteArray &b)
{
    if (b.size() < 88 + 20) return "too short";
    if (u32(b, 0) != 1 || u32(b, 40) != 0x464D4520u) return "header";
    if (qsizetype(u32(b, 48)) != b.size()) return "size";
    TSlots table{{}, u16(b, 56)};
    uint32_t records = 0;
    qsizetype at = 0;
    uint32_t type = 0;
    while (at < b.size()) {
        if (at + 8 > b.size()) return "cut record";
        type = u32(b, at);
        const uint32_t size = u32(b, at + 4);
        if (size < 8 || size % 4 != 0 || at + qsizetype(size) > b.size()) return "record size";
        if (type == 38 || type == 39 || type == 82) {
            const uint32_t index = u32(b, at + 8);
            if (index == 0 || index >= table.limit || table.live.count(index)) return "object slot";
            table.live.insert(index);
        } else if (type == 37 || type == 40) {
            const uint32_t index = u32(b, at + 8);
            if (!(index & 0x80000000u) && !table.live.count(index)) return "select or delete of no object";
            if (type == 40) table.live.erase(index);
        }
        ++records;
        at += size;
    }
    if (type != 14) return "no end record";
    if (records != u32(b, 52)) return "record count";
    return {};
}

} // namespace

TEST(ShippedClipArt, FortyPicturesOfWhichMetafilesAreSound)
{
    const QDir folder(QString::fromStdString(velmora::test::shippedData("ClipArt")));
    const QFileInfoList files = folder.entryInfoList(QDir::Files);
    EXPECT_GE(files.size(), 40);
    int metafiles = 0;
    for (const QFileInfo &file : files) {
        const QString suffix = file.suffix().toLower();
        const QByteArray bytes = readAll(file.filePath());
        const std::string name = file.fileName().toStdString();
        if (suffix == QLatin1String("wmf")) {
            EXPECT_EQ(checkWmf(bytes), "") << name;
            ++metafiles;
        } else if (suffix == QLatin1String("emf")) {
            EXPECT_EQ(checkEmf(bytes), "") << name;
            ++metafiles;
        } else if (suffix == QLatin1String("svg")) {
            QXmlStreamReader xml(bytes);
            ASSERT_TRUE(xml.readNextStartElement()) << name;
            EXPECT_EQ(xml.name().toString(), QStringLiteral("svg")) << name;
            while (!xml.atEnd()) xml.readNext();
            EXPECT_FALSE(xml.hasError()) << name << ": " << xml.errorString().toStdString();
        } else if (suffix == QLatin1String("png")) {
            EXPECT_FALSE(QImage::fromData(bytes, "PNG").isNull()) << name;
        } else {
            ADD_FAILURE() << "unexpected file " << name;
        }
    }
    EXPECT_GE(metafiles, 20);
}
