#include "calendar/DocumentFile.h"

#include "calendar/CalendarPage.h"
#include "common/AtomicFile.h"
#include "common/Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {
constexpr std::string_view kCellClass = "TWPRtfStorage";
constexpr std::string_view kCellDataProperty = "RtfText.Data";
// The rich text inside a cell record is followed by four zero bytes.
constexpr std::string_view kRtfTrailer{"\0\0\0\0", 4};

void writeText(TWriter &w, const std::string &utf8)
{
    w.writeString(Utf8ToCp1252(utf8));
}

std::string readText(TReader &r)
{
    return Cp1252ToUtf8(r.readString());
}

int32_t hundredths(float inches)
{
    return static_cast<int32_t>(std::nearbyint(double(inches) * 100.0));
}

float fromHundredths(int32_t v)
{
    return static_cast<float>(v * 0.01);
}

void writeCellRecord(TWriter &w, const TWPRtfStorage &store)
{
    w.writeComponentHeader(kCellClass, "");
    if (!store.isEmpty()) {
        w.writePropertyName(kCellDataProperty);
        std::string data = store.rtfBytes();
        data.append(kRtfTrailer);
        w.writeBinary(data);
    }
    w.endProperties();
    w.endChildren();
}

void readCellRecord(TReader &r, TWPRtfStorage &store)
{
    r.readComponentHeader();
    while (!r.atEndOfList()) {
        const std::string name = r.readPropertyName();
        if (name != kCellDataProperty) {
            r.skipValue();
            continue;
        }
        const TBytes data = r.readBinary();
        std::string rtf(data.begin(), data.end());
        if (rtf.size() >= kRtfTrailer.size() &&
            std::string_view(rtf).substr(rtf.size() - kRtfTrailer.size()) == kRtfTrailer)
            rtf.resize(rtf.size() - kRtfTrailer.size());
        store.setRtfBytes(std::move(rtf));
    }
    r.readTag(); // end of properties
    r.skipChildren();
}

// After damage the record boundaries are gone; what follows is estimated by the record
// signatures left in the data, the damaged record counting at least once.
int recordsFrom(std::span<const uint8_t> rest, int atLeast)
{
    static constexpr std::string_view kSignature = "TPF0";
    int count = 0;
    for (auto it = rest.begin();
         (it = std::search(it, rest.end(), kSignature.begin(), kSignature.end())) != rest.end();
         ++it)
        ++count;
    return std::max(count, atLeast);
}
} // namespace

void WriteFontRecord(TWriter &w, const TFontDesc &f)
{
    writeText(w, f.name);
    w.writeInteger(f.size());
    w.writeBoolean(f.bold());
    w.writeBoolean(f.italic());
    w.writeBoolean(f.underline());
    w.writeBoolean(f.strikeOut());
    w.writeInteger(f.color);
}

void ReadFontRecord(TReader &r, TFontDesc &f)
{
    f.name = readText(r);
    f.setSize(r.readInteger());
    uint8_t style = 0;
    if (r.readBoolean())
        style |= uint8_t(TFontStyle::fsBold);
    if (r.readBoolean())
        style |= uint8_t(TFontStyle::fsItalic);
    if (r.readBoolean())
        style |= uint8_t(TFontStyle::fsUnderline);
    if (r.readBoolean())
        style |= uint8_t(TFontStyle::fsStrikeOut);
    f.style = style;
    f.color = r.readInteger();
}

void WriteSettings(TWriter &w, const TCalendarSettings &s)
{
    w.writeInteger(s.PaperKind);
    w.writeInteger(s.CalendarOrientation);
    w.writeInteger(hundredths(s.LeftMarginInch));
    w.writeInteger(hundredths(s.TopMarginInch));
    w.writeInteger(hundredths(s.RightMarginInch));
    w.writeInteger(hundredths(s.BottomMarginInch));
    w.writeInteger(s.CalendarLayout);
    w.writeInteger(s.Main.Border);
    w.writeInteger(s.Main.LineLayout);
    for (const std::string &m : s.Names.months)
        writeText(w, m);
    for (const std::string &d : s.Names.days)
        writeText(w, d);
    w.writeInteger(s.Main.Background);
    WriteFontRecord(w, s.Main.TitleFont);
    w.writeBoolean(s.Main.ShowYear);
    WriteFontRecord(w, s.Main.HeadersFont);
    w.writeInteger(s.Main.HeadersBorder);
    w.writeInteger(s.Main.HeadersStyle);
    w.writeInteger(s.Main.HeadersBackground);
    WriteFontRecord(w, s.Main.CellFont);
    w.writeInteger(s.Main.CellBorder);
    w.writeInteger(s.Mini.LineLayout);
    w.writeInteger(s.Mini.Border);
    w.writeInteger(s.Mini.Background);
    w.writeBoolean(s.Mini.ShowYear);
    WriteFontRecord(w, s.Mini.TitleFont);
    WriteFontRecord(w, s.Mini.HeadersFont);
    w.writeInteger(s.Mini.HeadersBackground);
    w.writeInteger(s.Mini.HeadersStyle);
    w.writeInteger(s.Mini.HeadersBorder);
    w.writeInteger(s.Mini.CellBorder);
    WriteFontRecord(w, s.Mini.CellFont);
    w.writeInteger(s.NumberPosition);
}

void ReadSettings(TReader &r, TCalendarSettings &s)
{
    s.PaperKind = static_cast<uint8_t>(r.readInteger());
    s.CalendarOrientation = r.readInteger();
    s.LeftMarginInch = fromHundredths(r.readInteger());
    s.TopMarginInch = fromHundredths(r.readInteger());
    s.RightMarginInch = fromHundredths(r.readInteger());
    s.BottomMarginInch = fromHundredths(r.readInteger());
    s.CalendarLayout = r.readInteger();
    s.Main.Border = r.readInteger();
    s.Main.LineLayout = r.readInteger();
    for (std::string &m : s.Names.months)
        m = readText(r);
    for (std::string &d : s.Names.days)
        d = readText(r);
    s.Main.Background = r.readInteger();
    ReadFontRecord(r, s.Main.TitleFont);
    s.Main.ShowYear = r.readBoolean();
    ReadFontRecord(r, s.Main.HeadersFont);
    s.Main.HeadersBorder = r.readInteger();
    s.Main.HeadersStyle = r.readInteger();
    s.Main.HeadersBackground = r.readInteger();
    ReadFontRecord(r, s.Main.CellFont);
    s.Main.CellBorder = r.readInteger();
    s.Mini.LineLayout = r.readInteger();
    s.Mini.Border = r.readInteger();
    s.Mini.Background = r.readInteger();
    s.Mini.ShowYear = r.readBoolean();
    ReadFontRecord(r, s.Mini.TitleFont);
    ReadFontRecord(r, s.Mini.HeadersFont);
    s.Mini.HeadersBackground = r.readInteger();
    s.Mini.HeadersStyle = r.readInteger();
    s.Mini.HeadersBorder = r.readInteger();
    s.Mini.CellBorder = r.readInteger();
    ReadFontRecord(r, s.Mini.CellFont);
    s.NumberPosition = r.readInteger();
}

TBytes DocumentBytes(const TCalendarPage &page, const TDocumentObjects *objects)
{
    const TCalendarSettings &s = page.Settings();
    TWriter w;
    w.writeListBegin();
    w.writeInteger(kDocumentVersion);
    w.writeInteger(kDocumentKind);
    WriteSettings(w, s);
    w.writeInteger(s.MainCalDay);
    w.writeInteger(s.MainCalMonth);
    w.writeInteger(s.MainCalYear);
    w.writeInteger(s.StartOfWeek);
    int hour = 0, minute = 0, second = 0, msec = 0;
    DecodeTime(s.PlannerFirstHour, hour, minute, second, msec);
    w.writeInteger(hour);
    w.writeInteger(minute);
    for (int i = 1; i <= kCellCount; ++i)
        writeCellRecord(w, page.CellStore(i));
    writeText(w, s.UserTitle);
    w.writeListEnd();
    w.writeListBegin();
    if (objects != nullptr)
        objects->writeObjects(w);
    w.writeListEnd();
    return w.takeBytes();
}

TBytes StyleSheetBytes(const TCalendarSettings &s)
{
    TWriter w;
    w.writeListBegin();
    w.writeInteger(1);
    w.writeInteger(kStyleSheetKind);
    WriteSettings(w, s);
    w.writeListEnd();
    return w.takeBytes();
}

namespace {
// Properties of one object. A value its setter refuses (an unknown enumeration name, a
// malformed picture) is passed over and the object kept; returns false when that happened.
// Data that cannot even be skipped throws: the record has no readable end.
bool readObjectProperties(TReader &r, TStreamable &object)
{
    bool complete = true;
    while (!r.atEndOfList()) {
        const std::string name = r.readPropertyName();
        const size_t valueStart = r.position();
        try {
            if (!object.readProperty(name, r)) r.skipValue();
        } catch (const std::exception &) {
            r.rewind(valueStart);
            r.skipValue();
            complete = false;
        }
    }
    r.readListEnd();
    return complete;
}

void readObjects(TReader &r, std::span<const uint8_t> bytes, TDocumentObjects *objects,
                 TLoadReport &report)
{
    // A file that ends with its header list has no objects.
    if (r.atEnd()) return;
    if (r.peekTag() != TagList) {
        report.objectsLost += recordsFrom(bytes.subspan(r.position()), 0);
        return;
    }
    r.readListBegin();
    // Each record is self-contained, so one this holder cannot create is skipped and kept
    // whole; only damage ends the list.
    TStreamable *current = nullptr;
    size_t recordStart = r.position();
    bool inRecord = false;
    try {
        while (!r.atEndOfList()) {
            recordStart = r.position();
            inRecord = true;
            const TComponentHeader header = r.readComponentHeader();
            current = objects != nullptr ? objects->createStoredObject(header) : nullptr;
            if (current == nullptr) {
                r.skipProperties();
                r.skipChildren();
                const auto record = bytes.subspan(recordStart, r.position() - recordStart);
                if (objects != nullptr && objects->keepRecord(record))
                    ++report.objectsKept;
                else
                    ++report.objectsLost;
            } else {
                const bool complete = readObjectProperties(r, *current);
                r.skipChildren();
                objects->objectLoaded(current);
                current = nullptr;
                ++report.objectsLoaded;
                if (!complete) ++report.objectsPartlyRead;
            }
            inRecord = false;
        }
        r.readListEnd();
    } catch (const EReadError &) {
        if (current != nullptr && objects != nullptr) objects->discardObject(current);
        const size_t from = inRecord ? recordStart : r.position();
        report.objectsLost += recordsFrom(bytes.subspan(std::min(from, bytes.size())), inRecord ? 1 : 0);
    }
}
} // namespace

TLoadReport ReadDocument(TCalendarPage &page, std::span<const uint8_t> bytes,
                         TDocumentObjects *objects)
{
    TLoadReport report;
    TReader r(bytes);
    TCalendarSettings &s = page.SettingsForReading();
    r.readListBegin();
    report.version = r.readInteger();
    r.readInteger(); // file kind
    ReadSettings(r, s);
    s.MainCalDay = r.readInteger();
    s.MainCalMonth = r.readInteger();
    s.MainCalYear = r.readInteger();
    s.StartOfWeek = r.readInteger();
    const int hour = r.readInteger();
    const int minute = r.readInteger();
    s.PlannerFirstHour = EncodeTime(std::clamp(hour, 0, 23), std::clamp(minute, 0, 59), 0);
    for (int i = 1; i <= kCellCount; ++i)
        readCellRecord(r, page.CellStore(i));
    if (report.version > 1)
        s.UserTitle = readText(r);
    r.readListEnd();
    if (report.version > 2)
        readObjects(r, bytes, objects, report);
    page.RecalcLayout(false);
    return report;
}

void ReadStyleSheet(TCalendarSettings &s, std::span<const uint8_t> bytes)
{
    TReader r(bytes);
    r.readListBegin();
    r.readInteger();
    r.readInteger();
    ReadSettings(r, s);
    r.readListEnd();
}

TBytes ReadWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError("Cannot open file " + path.toStdString());
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EReadError("Stream read error");
    return TBytes(data.begin(), data.end());
}

void WriteFileAtomically(const QString &path, std::span<const uint8_t> bytes)
{
    try {
        WriteFileAtomic(std::filesystem::path(QFile::encodeName(path).toStdString()), bytes);
    } catch (const TAtomicWriteError &e) {
        throw EWriteError(e.what());
    }
}

void SaveToFile(const TCalendarPage &page, const QString &path, const TDocumentObjects *objects)
{
    WriteFileAtomically(path, DocumentBytes(page, objects));
}

TLoadReport LoadFromFile(TCalendarPage &page, const QString &path, TDocumentObjects *objects)
{
    const TBytes bytes = ReadWholeFile(path);
    return ReadDocument(page, bytes, objects);
}

void SaveStyleSheet(const TCalendarPage &page, const QString &path)
{
    WriteFileAtomically(path, StyleSheetBytes(page.Settings()));
}

void LoadStyleSheet(TCalendarPage &page, const QString &path)
{
    const TBytes bytes = ReadWholeFile(path);
    ReadStyleSheet(page.SettingsForReading(), bytes);
}

bool IsStyleSheetName(const QString &path)
{
    return QFileInfo(path).suffix().toUpper() == QLatin1String("QXS");
}

QString DocumentOpenErrorMessage(const QString &path)
{
    return QStringLiteral("Unable to open ") + path + QStringLiteral(". Possibly ") +
           QLatin1Char('\r') + QStringLiteral("corrupted, possibly not a Calendar file");
}

QString LoadReportMessage(int objectsLost, int objectsPartlyRead, const QString &fileName)
{
    QStringList lines;
    if (objectsLost > 0)
        lines << QStringLiteral("%1 design object(s) in %2 could not be read and were left out.")
                     .arg(objectsLost)
                     .arg(fileName);
    if (objectsPartlyRead > 0)
        lines << QStringLiteral("%1 design object(s) in %2 had settings that could not be read; "
                                "those settings were left at their defaults.")
                     .arg(objectsPartlyRead)
                     .arg(fileName);
    return lines.join(QLatin1Char('\n'));
}

QString StyleSheetOpenErrorMessage(const QString &path)
{
    return QStringLiteral("Unable to open ") + path + QStringLiteral(". Possibly ") +
           QLatin1Char('\r') + QStringLiteral("corrupted, possibly not a Calendar Style file");
}

} // namespace velmora
