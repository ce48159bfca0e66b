#include "common/ComponentStream.h"

#include "common/Float80.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace velmora {

bool SameIdent(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

namespace {
constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
constexpr size_t kShortStringMax = 255;

bool sameIdent(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

[[noreturn]] void throwTruncated()
{
    throw EReadError("Stream read error");
}

[[noreturn]] void throwBadFormat()
{
    throw EReadError("Invalid stream format");
}
} // namespace

void throwInvalidValue()
{
    throw EReadError("Invalid property value");
}

void throwClassNotFound(std::string_view className)
{
    throw EReadError("Class " + std::string(className) + " not found");
}

// ---------------------------------------------------------------------------------------
// TWriter

void TWriter::writeTag(TValueTag tag)
{
    put(tag);
}

void TWriter::putLittleEndian(uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        put(uint8_t(value >> (8 * i)));
}

void TWriter::putBytes(const void *data, size_t size)
{
    const auto *bytes = static_cast<const uint8_t *>(data);
    buffer.insert(buffer.end(), bytes, bytes + size);
}

void TWriter::writeInteger(int32_t value)
{
    if (value >= -128 && value <= 127) {
        writeTag(TagInt8);
        putLittleEndian(uint32_t(value), 1);
    } else if (value >= -32768 && value <= 32767) {
        writeTag(TagInt16);
        putLittleEndian(uint32_t(value), 2);
    } else {
        writeTag(TagInt32);
        putLittleEndian(uint32_t(value), 4);
    }
}

void TWriter::writeBoolean(bool value)
{
    writeTag(value ? TagTrue : TagFalse);
}

void TWriter::writeString(std::string_view text)
{
    if (text.size() <= kShortStringMax) {
        writeTag(TagString);
        writeShortString(text);
        return;
    }
    if (text.size() > size_t(std::numeric_limits<int32_t>::max()))
        throw std::length_error("String too long for the component stream");
    writeTag(TagLongString);
    putLittleEndian(uint32_t(text.size()), 4);
    putBytes(text.data(), text.size());
}

void TWriter::writeIdent(std::string_view ident)
{
    if (sameIdent(ident, "False")) {
        writeTag(TagFalse);
    } else if (sameIdent(ident, "True")) {
        writeTag(TagTrue);
    } else if (sameIdent(ident, "nil")) {
        writeTag(TagNil);
    } else {
        writeTag(TagIdent);
        writeShortString(ident);
    }
}

void TWriter::writeFloat(double value)
{
    writeTag(TagFloat80);
    const TFloat80 bytes = doubleToFloat80(value);
    putBytes(bytes.data(), bytes.size());
}

void TWriter::putSetMember(std::string_view name)
{
    // An empty name would end the set early; no enumeration has one.
    if (!name.empty()) writeShortString(name);
}

void TWriter::writeSet(std::span<const std::string> names)
{
    writeTag(TagSet);
    for (const auto &name : names)
        putSetMember(name);
    put(0);
}

void TWriter::writeSet(std::initializer_list<std::string_view> names)
{
    writeTag(TagSet);
    for (auto name : names)
        putSetMember(name);
    put(0);
}

void TWriter::writeSetMask(std::span<const std::string_view> names, uint32_t mask)
{
    writeTag(TagSet);
    for (size_t i = 0; i < names.size() && i < 32; ++i) {
        if (mask & (uint32_t(1) << i)) putSetMember(names[i]);
    }
    put(0);
}

void TWriter::writeBinary(std::span<const uint8_t> data)
{
    if (data.size() > size_t(std::numeric_limits<int32_t>::max()))
        throw std::length_error("Binary data too long for the component stream");
    writeTag(TagBinary);
    putLittleEndian(uint32_t(data.size()), 4);
    putBytes(data.data(), data.size());
}

void TWriter::writeBinary(std::string_view data)
{
    writeBinary(std::span(reinterpret_cast<const uint8_t *>(data.data()), data.size()));
}

void TWriter::writeColor(TColor color)
{
    if (auto ident = ColorToIdent(color))
        writeIdent(*ident);
    else
        writeInteger(color);
}

void TWriter::writeShortString(std::string_view text)
{
    const size_t size = std::min(text.size(), kShortStringMax);
    put(uint8_t(size));
    putBytes(text.data(), size);
}

void TWriter::writeValue(const TValue &value)
{
    struct Visitor
    {
        TWriter &w;
        void operator()(const TValue::Nil &) { w.writeNil(); }
        void operator()(bool b) { w.writeBoolean(b); }
        void operator()(int32_t i) { w.writeInteger(i); }
        void operator()(double d) { w.writeFloat(d); }
        void operator()(const std::string &s) { w.writeString(s); }
        void operator()(const TValue::Ident &id) { w.writeIdent(id.name); }
        void operator()(const TBytes &b) { w.writeBinary(b); }
        void operator()(const TValue::Set &s) { w.writeSet(s); }
        void operator()(const TValue::List &list)
        {
            w.writeListBegin();
            for (const auto &item : list)
                w.writeValue(item);
            w.writeListEnd();
        }
    };
    std::visit(Visitor{*this}, value.data);
}

void TWriter::writeComponentHeader(std::string_view className, std::string_view name)
{
    putBytes(kSignature, sizeof kSignature);
    writeShortString(className);
    writeShortString(name);
}

void TWriter::writeComponent(const TStreamable &object, std::string_view name)
{
    writeComponentHeader(object.className(), name);
    object.writeProperties(*this);
    endProperties();
    endChildren();
}

// ---------------------------------------------------------------------------------------
// TReader

struct TReader::DepthGuard
{
    TReader &reader;
    explicit DepthGuard(TReader &r, void (*onTooDeep)()) : reader(r)
    {
        if (reader.depth >= kMaxStreamDepth) onTooDeep();
        ++reader.depth;
    }
    ~DepthGuard() { --reader.depth; }
    DepthGuard(const DepthGuard &) = delete;
    DepthGuard &operator=(const DepthGuard &) = delete;
};

TReader::TReader(std::string_view data)
    : input(reinterpret_cast<const uint8_t *>(data.data()), data.size())
{
}

const uint8_t *TReader::take(size_t count)
{
    if (count > remaining()) throwTruncated();
    const uint8_t *at = input.data() + pos;
    pos += count;
    return at;
}

uint32_t TReader::takeLittleEndian(int size)
{
    const uint8_t *bytes = take(size_t(size));
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

TValueTag TReader::peekTag() const
{
    if (atEnd()) throwTruncated();
    return TValueTag(input[pos]);
}

TValueTag TReader::readTag()
{
    return TValueTag(takeByte());
}

void TReader::readListBegin()
{
    if (readTag() != TagList) throwInvalidValue();
}

void TReader::readListEnd()
{
    if (readTag() != TagEnd) throwInvalidValue();
}

int32_t TReader::readInteger()
{
    switch (readTag()) {
    case TagInt8:
        return int8_t(takeByte());
    case TagInt16:
        return int16_t(takeLittleEndian(2));
    case TagInt32:
        return int32_t(takeLittleEndian(4));
    default:
        throwInvalidValue();
    }
}

bool TReader::readBoolean()
{
    return readTag() == TagTrue;
}

std::string TReader::readString()
{
    size_t size = 0;
    switch (readTag()) {
    case TagString:
        size = takeByte();
        break;
    case TagLongString:
        size = takeLittleEndian(4);
        break;
    default:
        throwInvalidValue();
    }
    const auto *bytes = reinterpret_cast<const char *>(take(size));
    return std::string(bytes, size);
}

std::string TReader::readShortString()
{
    const size_t size = takeByte();
    const auto *bytes = reinterpret_cast<const char *>(take(size));
    return std::string(bytes, size);
}

std::string TReader::readIdent()
{
    switch (readTag()) {
    case TagIdent:
        return readShortString();
    case TagFalse:
        return "False";
    case TagTrue:
        return "True";
    case TagNil:
        return "nil";
    default:
        throwInvalidValue();
    }
}

double TReader::readFloat()
{
    if (peekTag() != TagFloat80) return readInteger();
    readTag();
    return float80ToDouble(std::span<const uint8_t, 10>(take(10), 10));
}

std::vector<std::string> TReader::readSet()
{
    if (readTag() != TagSet) throwInvalidValue();
    std::vector<std::string> names;
    // Each name costs at least its length byte, so the loop ends with the input.
    for (std::string name = readShortString(); !name.empty(); name = readShortString())
        names.push_back(std::move(name));
    return names;
}

TBytes TReader::readBinary()
{
    if (readTag() != TagBinary) throwInvalidValue();
    const size_t size = takeLittleEndian(4);
    const uint8_t *bytes = take(size);
    return TBytes(bytes, bytes + size);
}

TColor TReader::readColor()
{
    if (peekTag() != TagIdent) return readInteger();
    const auto color = IdentToColor(readIdent());
    if (!color) throwInvalidValue();
    return *color;
}

int TReader::readEnum(std::span<const std::string_view> names)
{
    const std::string ident = readIdent();
    for (size_t i = 0; i < names.size(); ++i) {
        if (sameIdent(ident, names[i])) return int(i);
    }
    throwInvalidValue();
}

uint32_t TReader::readSetMask(std::span<const std::string_view> names)
{
    uint32_t mask = 0;
    for (const auto &member : readSet()) {
        const auto it = std::ranges::find_if(names, [&](auto n) { return sameIdent(n, member); });
        const auto index = size_t(it - names.begin());
        if (it == names.end() || index >= 32) throwInvalidValue();
        mask |= uint32_t(1) << index;
    }
    return mask;
}

TValue TReader::readValue()
{
    // Tags with a payload are left for the typed readers, which check them again.
    switch (peekTag()) {
    case TagList: {
        DepthGuard guard(*this, throwInvalidValue);
        readTag();
        TValue::List items;
        while (!atEndOfList())
            items.push_back(readValue());
        readListEnd();
        return {std::move(items)};
    }
    case TagInt8:
    case TagInt16:
    case TagInt32:
        return {readInteger()};
    case TagFloat80:
        return {readFloat()};
    case TagString:
    case TagLongString:
        return {readString()};
    case TagIdent:
        readTag();
        return {TValue::Ident{readShortString()}};
    case TagFalse:
    case TagTrue:
        return {readBoolean()};
    case TagBinary:
        return {readBinary()};
    case TagSet:
        return {readSet()};
    case TagNil:
        readTag();
        return {TValue::Nil{}};
    case TagEnd:
    default:
        throwInvalidValue();
    }
}

void TReader::skipValue()
{
    switch (readTag()) {
    case TagList: {
        DepthGuard guard(*this, throwInvalidValue);
        while (!atEndOfList())
            skipValue();
        readTag();
        return;
    }
    case TagInt8:
        take(1);
        return;
    case TagInt16:
        take(2);
        return;
    case TagInt32:
        take(4);
        return;
    case TagFloat80:
        take(10);
        return;
    case TagString:
    case TagIdent:
        take(takeByte());
        return;
    case TagBinary:
    case TagLongString:
        take(takeLittleEndian(4));
        return;
    case TagSet:
        // Each member costs at least its length byte.
        for (size_t size = takeByte(); size != 0; size = takeByte())
            take(size);
        return;
    case TagFalse:
    case TagTrue:
    case TagNil:
        return;
    case TagEnd:
    default:
        throwInvalidValue();
    }
}

void TReader::rewind(size_t position)
{
    if (position > pos) throw std::logic_error("TReader::rewind past the current position");
    pos = position;
}

// ---------------------------------------------------------------------------------------
// Component records

void TReader::skipPrefix()
{
    // Flag bytes 0xF0..0xFF: inherited, child position, inline. Only the child position
    // carries data.
    const uint8_t prefix = input[pos];
    if ((prefix & 0xF0) != 0xF0) return;
    ++pos;
    if (prefix & 0x02) readInteger();
}

TComponentHeader TReader::readComponentHeader()
{
    if (std::memcmp(take(sizeof kSignature), kSignature, sizeof kSignature) != 0) throwBadFormat();
    peekTag(); // the prefix check below needs a byte
    skipPrefix();
    TComponentHeader header;
    header.className = readShortString();
    header.name = readShortString();
    return header;
}

TComponentHeader TReader::readChildComponentHeader()
{
    peekTag();
    skipPrefix();
    TComponentHeader header;
    header.className = readShortString();
    header.name = readShortString();
    return header;
}

void TReader::readProperties(TStreamable &object)
{
    while (!atEndOfList()) {
        const std::string name = readPropertyName();
        if (!object.readProperty(name, *this)) skipValue();
    }
    readListEnd();
}

void TReader::skipProperties()
{
    while (!atEndOfList()) {
        readPropertyName();
        skipValue();
    }
    readListEnd();
}

void TReader::skipChildComponent()
{
    DepthGuard guard(*this, throwBadFormat);
    readChildComponentHeader();
    skipProperties();
    skipChildren();
}

void TReader::skipChildren()
{
    while (!atEndOfList())
        skipChildComponent();
    readListEnd();
}

TComponentHeader TReader::readComponent(TStreamable &object)
{
    TComponentHeader header = readComponentHeader();
    readProperties(object);
    skipChildren();
    return header;
}

} // namespace velmora
