#include "common/ComponentStream.h"
#include "common/ClassRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace velmora;

namespace {
// "04 FF 'ab'" -> bytes; quoted text stands for its own bytes.
TBytes hex(std::string_view text)
{
    TBytes out;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (text[i] == '\'') {
            const size_t end = text.find('\'', i + 1);
            out.insert(out.end(), text.begin() + long(i) + 1, text.begin() + long(end));
            i = end + 1;
        } else {
            out.push_back(uint8_t(std::stoi(std::string(text.substr(i, 2)), nullptr, 16)));
            i += 2;
        }
    }
    return out;
}

struct OwnedBytes
{
    TBytes bytes;
};

// A reader that keeps its own bytes alive.
struct Input : private OwnedBytes, public TReader
{
    explicit Input(TBytes b) : OwnedBytes{std::move(b)}, TReader(OwnedBytes::bytes) {}
    Input(const Input &) = delete;
    Input &operator=(const Input &) = delete;
};

template <class F> TBytes written(F &&write)
{
    TWriter w;
    write(w);
    return w.takeBytes();
}

std::string readErrorOf(const TBytes &bytes, void (*read)(TReader &))
{
    TReader r(bytes);
    try {
        read(r);
    } catch (const EReadError &e) {
        return e.what();
    }
    return "no error";
}

// Reads every property as a generic value, like a loader meeting an unknown class.
struct AnyObject : TStreamable
{
    std::vector<std::pair<std::string, TValue>> props;
    std::string className() const override { return "TAny"; }
    bool readProperty(const std::string &name, TReader &r) override
    {
        if (name == "Unknown") return false;
        props.emplace_back(name, r.readValue());
        return true;
    }
    void writeProperties(TWriter &w) const override
    {
        for (const auto &[name, value] : props) {
            w.writePropertyName(name);
            w.writeValue(value);
        }
    }
};
} // namespace

TEST(ComponentStream, IntegersTakeTheSmallestTag)
{
    const std::pair<int32_t, const char *> cases[] = {
        {0, "02 00"},
        {127, "02 7F"},
        {-128, "02 80"},
        {128, "03 80 00"},
        {-129, "03 7F FF"},
        {32767, "03 FF 7F"},
        {-32768, "03 00 80"},
        {32768, "04 00 80 00 00"},
        {-32769, "04 FF 7F FF FF"},
        {16777215, "04 FF FF FF 00"},
        {INT32_MIN, "04 00 00 00 80"},
    };
    for (const auto &[value, bytes] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(written([&](TWriter &w) { w.writeInteger(value); }), hex(bytes));
        Input r(hex(bytes));
        EXPECT_EQ(r.readInteger(), value);
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(ComponentStream, StringsShortAndLong)
{
    const std::string s255(255, 'a'), s256(256, 'b'), s300(300, 'c');
    EXPECT_EQ(written([](TWriter &w) { w.writeString(""); }), hex("06 00"));
    EXPECT_EQ(written([](TWriter &w) { w.writeString("Caf\xE9"); }), hex("06 04 'Caf' E9"));
    TBytes longBytes = hex("0C 2C 01 00 00");
    longBytes.insert(longBytes.end(), s300.begin(), s300.end());
    EXPECT_EQ(written([&](TWriter &w) { w.writeString(s300); }), longBytes);
    EXPECT_EQ(written([&](TWriter &w) { w.writeString(s255); })[0], TagString);
    EXPECT_EQ(written([&](TWriter &w) { w.writeString(s256); })[0], TagLongString);

    for (const auto &s : {std::string(), std::string("Caf\xE9"), s255, s256, s300}) {
        Input r(written([&](TWriter &w) { w.writeString(s); }));
        EXPECT_EQ(r.readString(), s);
        EXPECT_TRUE(r.atEnd());
    }

    // Names and identifiers have a length byte only: longer text is cut, not wrapped.
    const TBytes cut = written([&](TWriter &w) { w.writeShortString(s300); });
    ASSERT_EQ(cut.size(), 256u);
    EXPECT_EQ(cut[0], 255);
}

TEST(ComponentStream, IdentifiersBooleansAndNil)
{
    const TBytes bytes = written([](TWriter &w) {
        w.writeIdent("True");
        w.writeIdent("false");
        w.writeIdent("NIL");
        w.writeIdent("taCenter");
        w.writeBoolean(true);
        w.writeBoolean(false);
    });
    EXPECT_EQ(bytes, hex("09 08 0D 07 08 'taCenter' 09 08"));

    TReader r(bytes);
    EXPECT_EQ(r.readIdent(), "True");
    EXPECT_EQ(r.readIdent(), "False");
    EXPECT_EQ(r.readIdent(), "nil");
    EXPECT_EQ(r.readIdent(), "taCenter");
    EXPECT_TRUE(r.readBoolean());
    EXPECT_FALSE(r.readBoolean());

    // Any tag but TagTrue reads as false, and only the tag is consumed.
    Input other(hex("02 05 0D"));
    EXPECT_FALSE(other.readBoolean());
    EXPECT_EQ(other.position(), 1u);

    const std::string_view aligns[] = {"taLeftJustify", "taRightJustify", "taCenter"};
    Input e(hex("07 08 'TACENTER' 07 02 'ta'"));
    EXPECT_EQ(e.readEnum(aligns), 2);
    EXPECT_THROW(e.readEnum(aligns), EReadError);
}

TEST(ComponentStream, SetsBinaryFloatAndColour)
{
    const std::string_view styles[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
    const TBytes bytes = written([&](TWriter &w) {
        w.writeSet({"fsBold", "fsItalic"});
        w.writeSetMask(styles, 0);
        w.writeSetMask(styles, 0b1010);
        w.writeBinary(std::string_view("abc"));
        w.writeBinary(TBytes{});
        w.writeFloat(-2.5);
        w.writeColor(clWhite);
        w.writeColor(clWindowText);
        w.writeColor(rgbColor(1, 2, 3));
    });
    EXPECT_EQ(bytes, hex("0B 06 'fsBold' 08 'fsItalic' 00  0B 00  0B 08 'fsItalic' 0B "
                         "'fsStrikeOut' 00  0A 03 00 00 00 'abc'  0A 00 00 00 00  05 00 00 "
                         "00 00 00 00 00 A0 00 C0  07 07 'clWhite'  07 0C 'clWindowText'  04 "
                         "01 02 03 00"));

    TReader r(bytes);
    EXPECT_EQ(r.readSet(), (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_EQ(r.readSetMask(styles), 0u);
    EXPECT_EQ(r.readSetMask(styles), 0b1010u);
    EXPECT_EQ(r.readBinary(), (TBytes{'a', 'b', 'c'}));
    EXPECT_TRUE(r.readBinary().empty());
    EXPECT_EQ(r.readFloat(), -2.5);
    EXPECT_EQ(r.readColor(), clWhite);
    EXPECT_EQ(r.readColor(), clWindowText);
    EXPECT_EQ(r.readColor(), rgbColor(1, 2, 3));
    EXPECT_TRUE(r.atEnd());

    EXPECT_EQ(Input(hex("02 07")).readFloat(), 7.0);
    EXPECT_THROW(Input(hex("07 08 'clNoSuch'")).readColor(), EReadError);
    EXPECT_THROW(Input(hex("0B 06 'fsNone' 00")).readSetMask(styles), EReadError);
}

TEST(ComponentStream, MismatchedTagsAreInvalidValues)
{
    const std::pair<const char *, void (*)(TReader &)> cases[] = {
        {"06 00", [](TReader &r) { r.readInteger(); }},
        {"02 00", [](TReader &r) { r.readString(); }},
        {"07 00", [](TReader &r) { r.readString(); }},
        {"00", [](TReader &r) { r.readListBegin(); }},
        {"01", [](TReader &r) { r.readListEnd(); }},
        {"06 01 'x'", [](TReader &r) { r.readIdent(); }},
        {"06 00", [](TReader &r) { r.readBinary(); }},
        {"07 00", [](TReader &r) { r.readSet(); }},
        {"06 00", [](TReader &r) { r.readFloat(); }},
        {"00", [](TReader &r) { r.readValue(); }},
        {"0E", [](TReader &r) { r.readValue(); }},
        {"FF", [](TReader &r) { r.skipValue(); }},
    };
    for (const auto &[bytes, read] : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(readErrorOf(hex(bytes), read), "Invalid property value");
    }
    EXPECT_EQ(readErrorOf(hex("'TPF1' 00 00"), [](TReader &r) { r.readComponentHeader(); }),
              "Invalid stream format");
    EXPECT_EQ(readErrorOf(hex("03 01"), [](TReader &r) { r.readInteger(); }), "Stream read error");
}

TEST(ComponentStream, ClassRegistry)
{
    TClassRegistry<> plain;
    plain.registerClass<AnyObject>("TAny");
    EXPECT_TRUE(plain.contains("tany"));
    EXPECT_EQ(plain.create("TANY")->className(), "TAny");
    try {
        plain.create("TGNoSuch");
        FAIL() << "no error";
    } catch (const EReadError &e) {
        EXPECT_STREQ(e.what(), "Class TGNoSuch not found");
    }

    // Factories can take what construction needs, such as an owner.
    TClassRegistry<TStreamable, int &> counting;
    counting.registerClass("TAny", [](int &made) {
        ++made;
        return std::make_unique<AnyObject>();
    });
    int made = 0;
    counting.create("TAny", made);
    EXPECT_EQ(made, 1);
}

TEST(ComponentStream, RecordLayout)
{
    // An empty day cell store: no properties, no children.
    AnyObject store;
    const TBytes empty = written([&](TWriter &w) {
        w.writeComponentHeader("TWPRtfStorage", "");
        w.endProperties();
        w.endChildren();
    });
    EXPECT_EQ(empty, hex("'TPF0' 0D 'TWPRtfStorage' 00 00 00"));

    AnyObject label;
    label.props.emplace_back("Left", TValue{int32_t(10)});
    label.props.emplace_back("Caption", TValue{std::string("Hi")});
    const TBytes bytes = written([&](TWriter &w) { w.writeComponent(label, "Label1"); });
    EXPECT_EQ(bytes, hex("'TPF0' 04 'TAny' 06 'Label1' 04 'Left' 02 0A 07 'Caption' 06 02 "
                         "'Hi' 00 00"));

    AnyObject back;
    TReader r(bytes);
    const TComponentHeader header = r.readComponent(back);
    EXPECT_EQ(header.className, "TAny");
    EXPECT_EQ(header.name, "Label1");
    EXPECT_EQ(back.props, label.props);
    EXPECT_TRUE(r.atEnd());
}

TEST(ComponentStream, ReadingSkipsPrefixUnknownPropertiesAndChildren)
{
    // Prefix F2 carries a child position; the unknown property holds a nested list; the
    // child has a child of its own, with a prefix and properties.
    const TBytes bytes = hex("'TPF0' F2 02 05 04 'TAny' 01 'A'"
                             "  07 'Unknown' 01 01 02 01 00 06 00 00  03 'Top' 02 07 00"
                             "  F0 05 'TKid1' 00 01 'X' 09 00"
                             "     05 'TKid2' 00 00 00"
                             "  00"
                             "00 04 'tail'");
    AnyObject object;
    TReader r(bytes);
    const TComponentHeader header = r.readComponent(object);
    EXPECT_EQ(header.name, "A");
    ASSERT_EQ(object.props.size(), 1u);
    EXPECT_EQ(object.props[0].first, "Top");
    EXPECT_EQ(r.readShortString(), "tail");
}

TEST(ComponentStream, TruncatedRecordFailsAtEveryOffset)
{
    AnyObject object;
    object.props.emplace_back("I", TValue{int32_t(100000)});
    object.props.emplace_back("F", TValue{1.5});
    object.props.emplace_back("S", TValue{std::string(300, 's')});
    object.props.emplace_back("B", TValue{TBytes{1, 2, 3}});
    object.props.emplace_back("E", TValue{TValue::Set{"fsBold"}});
    const TValue::List list{TValue{true}, TValue{TValue::Ident{"x"}}, TValue{}};
    object.props.emplace_back("L", TValue{list});
    const TBytes full = written([&](TWriter &w) { w.writeComponent(object, "Obj"); });

    for (size_t size = 0; size < full.size(); ++size) {
        SCOPED_TRACE(size);
        const TBytes cut(full.begin(), full.begin() + long(size));
        AnyObject target;
        TReader r(cut);
        EXPECT_THROW(r.readComponent(target), EReadError);
    }
    AnyObject target;
    TReader r(full);
    r.readComponent(target);
    EXPECT_EQ(target.props, object.props);
}

TEST(ComponentStream, DamagedRecordsFailCleanly)
{
    const TBytes sample = hex("'TPF0' 04 'TAny' 01 'A' 01 'I' 04 A0 86 01 00 01 'S' 0C 03 00 00 00"
                              " 'abc' 01 'L' 01 0B 01 'a' 00 0A 02 00 00 00 01 02 05 00 00 00 00"
                              " 00 00 00 80 FF 3F 00 00 F2 02 01 01 'T' 00 00 00 00");
    {
        AnyObject object;
        TReader r(sample);
        r.readComponent(object);
        EXPECT_EQ(object.props.size(), 3u);
        EXPECT_TRUE(r.atEnd());
    }
    uint64_t state = 12345;
    auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    // Each damaged copy either reads or throws EReadError; anything else fails the test.
    for (int round = 0; round < 20000; ++round) {
        TBytes damaged = sample;
        for (int flips = 1 + int(next() % 4); flips > 0; --flips)
            damaged[next() % damaged.size()] = uint8_t(next());
        AnyObject object;
        TReader r(damaged);
        try {
            r.readComponent(object);
        } catch (const EReadError &) {
        }
    }
}

TEST(ComponentStream, LengthsBeyondTheInputAreRefused)
{
    // Lengths near 4 GiB must fail on the check, not on an allocation.
    for (const char *bytes : {"0C FF FF FF 7F 'abc'", "0C FF FF FF FF", "0A FF FF FF FF 00",
                              "0A 04 00 00 00 'abc'", "06 05 'abc'", "07 09 'x'"}) {
        SCOPED_TRACE(bytes);
        EXPECT_THROW(Input(hex(bytes)).readValue(), EReadError);
    }
}

TEST(ComponentStream, NestingIsLimited)
{
    auto nestedLists = [](int depth) {
        TBytes bytes(size_t(depth), TagList);
        bytes.insert(bytes.end(), size_t(depth), TagEnd);
        return bytes;
    };
    EXPECT_NO_THROW(Input(nestedLists(kMaxStreamDepth)).readValue());
    EXPECT_THROW(Input(nestedLists(kMaxStreamDepth + 1)).readValue(), EReadError);
    // Far deeper than any stack would survive unguarded.
    EXPECT_THROW(Input(nestedLists(1000000)).readValue(), EReadError);

    auto nestedChildren = [](int depth) {
        TBytes bytes = hex("'TPF0' 01 'T' 00 00");
        for (int i = 0; i < depth; ++i) {
            const TBytes child = hex("01 'T' 00 00");
            bytes.insert(bytes.end(), child.begin(), child.end());
        }
        bytes.insert(bytes.end(), size_t(depth) + 1, TagEnd);
        return bytes;
    };
    AnyObject object;
    EXPECT_NO_THROW(Input(nestedChildren(kMaxStreamDepth)).readComponent(object));
    EXPECT_THROW(Input(nestedChildren(kMaxStreamDepth + 1)).readComponent(object), EReadError);
}

TEST(ComponentStream, SkippingAgreesWithReadingAndRewindsForASecondLook)
{
    // Skipping keeps nothing, so it must end exactly where reading the value ends, on whole
    // values and on damaged ones alike.
    const TBytes sample = hex("01 02 05 03 00 80 04 01 02 03 04 05 00 00 00 00 00 00 00 80 FF 3F"
                              " 06 02 'ab' 07 01 'x' 08 09 0D 0A 02 00 00 00 'zz' 0B 01 'a' 00"
                              " 0C 01 00 00 00 'q' 01 01 00 00 00");
    uint64_t state = 99;
    auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int round = 0; round < 5000; ++round) {
        TBytes bytes = sample;
        if (round > 0) {
            for (int flips = 1 + int(next() % 3); flips > 0; --flips)
                bytes[next() % bytes.size()] = uint8_t(next() % 16);
            bytes.resize(next() % (bytes.size() + 1));
        }
        TReader reading(bytes), skipping(bytes);
        bool readFailed = false, skipFailed = false;
        try {
            reading.readValue();
        } catch (const EReadError &) {
            readFailed = true;
        }
        try {
            skipping.skipValue();
        } catch (const EReadError &) {
            skipFailed = true;
        }
        ASSERT_EQ(readFailed, skipFailed) << round;
        if (!readFailed) {
            ASSERT_EQ(reading.position(), skipping.position()) << round;
        }
    }

    // An identifier the reader refuses is passed over after a rewind.
    const TBytes enumValue = hex("07 04 'oops' 02 05");
    TReader r(enumValue);
    const size_t start = r.position();
    const std::string_view names[] = {"ok"};
    EXPECT_THROW(r.readEnum(names), EReadError);
    r.rewind(start);
    r.skipValue();
    EXPECT_EQ(r.readInteger(), 5);
    EXPECT_THROW(r.rewind(r.position() + 1), std::logic_error);
}
