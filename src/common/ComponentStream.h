#pragma once
// The component stream: tagged values and component records, the one binary encoding
// behind documents, style sheets, day cell stores and design objects. Multi-byte numbers
// are little-endian; strings are raw Windows-1252 bytes (convert with Cp1252.h).
#include "common/Color.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velmora {

// Property, class and component names match whatever the ASCII case, as readers of these
// streams always have matched them.
bool SameIdent(std::string_view a, std::string_view b);

enum TValueTag : uint8_t {
    TagEnd = 0,
    TagList = 1,
    TagInt8 = 2,
    TagInt16 = 3,
    TagInt32 = 4,
    TagFloat80 = 5,
    TagString = 6,
    TagIdent = 7,
    TagFalse = 8,
    TagTrue = 9,
    TagBinary = 10,
    TagSet = 11,
    TagLongString = 12,
    TagNil = 13,
};

// Every failure to read a stream: wrong tag, damaged record, input that ends too soon.
class EReadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Lists inside values and components inside components nest no deeper than this in
// anything we write; more is damage (or a hostile file) and is refused.
constexpr int kMaxStreamDepth = 32;

using TBytes = std::vector<uint8_t>;

// Any single value, for properties a reader does not know or inspects before deciding.
struct TValue
{
    struct Ident
    {
        std::string name;
        bool operator==(const Ident &) const = default;
    };
    struct Nil
    {
        bool operator==(const Nil &) const = default;
    };
    using Set = std::vector<std::string>;
    using List = std::vector<TValue>;

    std::variant<Nil, bool, int32_t, double, std::string, Ident, TBytes, Set, List> data;

    bool operator==(const TValue &other) const { return data == other.data; }
};

struct TComponentHeader
{
    std::string className;
    std::string name;
};

class TReader;
class TWriter;

// An object that can be stored as a component record.
class TStreamable
{
public:
    virtual ~TStreamable() = default;
    virtual std::string className() const = 0;
    // Reads the value of one stored property. Returns false for a name the class does not
    // know, leaving the value unread; the caller then skips it, so files written by a later
    // version still load.
    virtual bool readProperty(const std::string &name, TReader &reader) = 0;
    // Writes the stored properties as name/value pairs, without the closing TagEnd.
    virtual void writeProperties(TWriter &writer) const = 0;
};

class TWriter
{
public:
    const TBytes &bytes() const { return buffer; }
    TBytes takeBytes() { return std::move(buffer); }

    void writeTag(TValueTag tag);
    void writeListBegin() { writeTag(TagList); }
    void writeListEnd() { writeTag(TagEnd); }
    void writeInteger(int32_t value);
    void writeBoolean(bool value);
    void writeString(std::string_view text);
    void writeIdent(std::string_view ident);
    void writeFloat(double value);
    void writeSet(std::span<const std::string> names);
    void writeSet(std::initializer_list<std::string_view> names);
    // Members of `names` whose bit is set in `mask`, bit 0 first.
    void writeSetMask(std::span<const std::string_view> names, uint32_t mask);
    void writeBinary(std::span<const uint8_t> data);
    void writeBinary(std::string_view data);
    void writeNil() { writeTag(TagNil); }
    // A named colour as its identifier ("clWhite"), any other as an integer.
    void writeColor(TColor color);
    void writeValue(const TValue &value);
    // Length byte and at most 255 bytes; longer text is cut.
    void writeShortString(std::string_view text);
    // Bytes that already are a complete encoding, such as a record kept as it was read.
    void writeRawBytes(std::span<const uint8_t> bytes) { putBytes(bytes.data(), bytes.size()); }

    // A root component record: signature, class name, component name. Properties follow,
    // then endProperties() and endChildren().
    void writeComponentHeader(std::string_view className, std::string_view name);
    void writePropertyName(std::string_view name) { writeShortString(name); }
    void endProperties() { writeTag(TagEnd); }
    void endChildren() { writeTag(TagEnd); }
    // The whole record of an object without children.
    void writeComponent(const TStreamable &object, std::string_view name);

private:
    void put(uint8_t byte) { buffer.push_back(byte); }
    void putLittleEndian(uint32_t value, int size);
    void putBytes(const void *data, size_t size);
    void putSetMember(std::string_view name);

    TBytes buffer;
};

// Reads from bytes the caller keeps alive. Every read checks what remains first, so damaged
// input ends in EReadError, never in an overrun or an allocation larger than the input.
class TReader
{
public:
    explicit TReader(std::span<const uint8_t> data) : input(data) {}
    explicit TReader(std::string_view data);
    // The reader keeps no copy: a temporary buffer would be gone before the first read.
    explicit TReader(TBytes &&) = delete;
    explicit TReader(std::string &&) = delete;

    size_t position() const { return pos; }
    // Back to a position this reader has already passed, to read a value again or skip it.
    void rewind(size_t position);
    size_t remaining() const { return input.size() - pos; }
    bool atEnd() const { return pos == input.size(); }

    TValueTag peekTag() const;
    TValueTag readTag();
    // True when the next tag ends the current list, property list or child list.
    bool atEndOfList() const { return peekTag() == TagEnd; }
    void readListBegin();
    void readListEnd();

    int32_t readInteger();
    // True exactly for TagTrue; any other tag is consumed and reads as false.
    bool readBoolean();
    std::string readString();
    // TagIdent, or TagFalse/TagTrue/TagNil as "False"/"True"/"nil".
    std::string readIdent();
    // TagFloat80; integers are taken as well.
    double readFloat();
    std::vector<std::string> readSet();
    TBytes readBinary();
    TColor readColor();
    // Index of the identifier in `names`, compared case-insensitively.
    int readEnum(std::span<const std::string_view> names);
    uint32_t readSetMask(std::span<const std::string_view> names);
    std::string readShortString();

    TValue readValue();
    // Passes over one value of any kind without keeping it; each step consumes input, so
    // skipping ends with the data at the latest.
    void skipValue();

    // Signature, optional prefix, class name and component name of a root record.
    TComponentHeader readComponentHeader();
    // Prefix, class name and component name of a record inside a child list (no signature).
    TComponentHeader readChildComponentHeader();
    std::string readPropertyName() { return readShortString(); }
    // Property values up to and including the closing TagEnd; unknown names are skipped.
    void readProperties(TStreamable &object);
    void skipProperties();
    // The child list, nested child records included, up to its closing TagEnd.
    void skipChildren();
    // The whole root record into `object`; children are skipped.
    TComponentHeader readComponent(TStreamable &object);

private:
    struct DepthGuard;

    const uint8_t *take(size_t count);
    uint8_t takeByte() { return *take(1); }
    uint32_t takeLittleEndian(int size);
    void skipPrefix();
    void skipChildComponent();

    std::span<const uint8_t> input;
    size_t pos = 0;
    int depth = 0;
};

[[noreturn]] void throwInvalidValue();
[[noreturn]] void throwClassNotFound(std::string_view className);

} // namespace velmora
