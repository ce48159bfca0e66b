#pragma once
// Documents put together record by record, for what our own writer never produces: records
// of classes from other writers, bad values, damage.
#include "calendar/Calpanel32.h"
#include "calendar/DocumentFile.h"
#include "objects/Gplabel.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace velmora::test {

inline TBytes labelRecord(const std::string &caption, const std::string &name, int left)
{
    TGPLabel label;
    label.SetCaption(caption);
    label.SetBounds(left, 10, 120, 30);
    TWriter w;
    w.writeComponent(label, name);
    return w.takeBytes();
}

// A label whose alignment names no alignment and whose border style is a number: values our
// setters refuse, before a caption they take.
inline TBytes labelWithBadValues(const std::string &caption, const std::string &name, int left)
{
    TWriter w;
    w.writeComponentHeader("TGPLabel", name);
    const std::pair<const char *, int> bounds[] = {{"Left", left}, {"Top", 12}, {"Width", 90}, {"Height", 30}};
    for (const auto &[property, value] : bounds) {
        w.writePropertyName(property);
        w.writeInteger(value);
    }
    w.writePropertyName("Alignment");
    w.writeIdent("taSideways");
    w.writePropertyName("BorderStyle");
    w.writeInteger(7);
    w.writePropertyName("Caption");
    w.writeString(caption);
    w.endProperties();
    w.endChildren();
    return w.takeBytes();
}

// A record as a newer or foreign writer might store a shape we do not know: a prefix with a
// child position, values of every kind (a binary holding a record signature among them) and
// a child component.
inline TBytes foreignRecord()
{
    TBytes record = {'T', 'P', 'F', '0', 0xF2, TagInt8, 3};
    TWriter w;
    w.writeShortString("TGStarShape");
    w.writeShortString("Special7");
    w.writePropertyName("Left");
    w.writeInteger(40);
    w.writePropertyName("Points");
    w.writeListBegin();
    w.writeInteger(5);
    w.writeFloat(2.5);
    w.writeString("x");
    w.writeListEnd();
    w.writePropertyName("Style");
    w.writeSet({"fsBold", "fsItalic"});
    w.writePropertyName("Image.Data");
    w.writeBinary(std::string_view("\0\1TPF0", 6));
    w.writePropertyName("Kind");
    w.writeIdent("skStar");
    w.endProperties();
    w.writeShortString("TGStarPoint");
    w.writeShortString("P1");
    w.writePropertyName("X");
    w.writeInteger(1000);
    w.endProperties();
    w.endChildren();
    w.endChildren();
    record.insert(record.end(), w.bytes().begin(), w.bytes().end());
    return record;
}

// The page's header list followed by an object list of the given records.
inline TBytes documentWith(const TCalendarPanel32 &page, const std::vector<TBytes> &records)
{
    TBytes doc = DocumentBytes(page, nullptr);
    doc.resize(doc.size() - 2); // the empty object list
    doc.push_back(TagList);
    for (const TBytes &r : records)
        doc.insert(doc.end(), r.begin(), r.end());
    doc.push_back(TagEnd);
    return doc;
}

inline size_t find(const TBytes &hay, const TBytes &needle)
{
    const auto at = std::search(hay.begin(), hay.end(), needle.begin(), needle.end());
    return at == hay.end() ? std::string::npos : size_t(at - hay.begin());
}

} // namespace velmora::test
