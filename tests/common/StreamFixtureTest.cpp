// Records written by another streaming implementation (scripts/fixtures/gen_stream.pas):
// we must read them, and writing the same values must give the same bytes.
#include "common/ComponentStream.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <limits>

using namespace velmora;

namespace {
const std::string_view kAligns[] = {"taLeftJustify", "taRightJustify", "taCenter"};
const std::string_view kStyles[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

// Mirrors the generator's class: Tag and Ratio have defaults (0), strings are skipped when
// empty, Data only when there is some; everything else is always stored.
struct FixtureValues
{
    int32_t tag = 0, small = 0, medium = 0, large = 0;
    std::string text;
    bool flag = false;
    int align = 0;
    uint32_t style = 0;
    double ratio = 0;
    TBytes data;

    bool operator==(const FixtureValues &) const = default;
};

struct Fixture : TStreamable, FixtureValues
{
    bool sameValues(const Fixture &other) const
    {
        return static_cast<const FixtureValues &>(*this) == other;
    }

    std::string className() const override { return "TFixture"; }

    bool readProperty(const std::string &name, TReader &r) override
    {
        if (name == "Tag")
            tag = r.readInteger();
        else if (name == "Small")
            small = r.readInteger();
        else if (name == "Medium")
            medium = r.readInteger();
        else if (name == "Large")
            large = r.readInteger();
        else if (name == "Text")
            text = r.readString();
        else if (name == "Flag")
            flag = r.readBoolean();
        else if (name == "Align")
            align = r.readEnum(kAligns);
        else if (name == "Style")
            style = r.readSetMask(kStyles);
        else if (name == "Ratio")
            ratio = r.readFloat();
        else if (name == "Data")
            data = r.readBinary();
        else
            return false;
        return true;
    }

    void writeProperties(TWriter &w) const override
    {
        if (tag != 0) {
            w.writePropertyName("Tag");
            w.writeInteger(tag);
        }
        w.writePropertyName("Small");
        w.writeInteger(small);
        w.writePropertyName("Medium");
        w.writeInteger(medium);
        w.writePropertyName("Large");
        w.writeInteger(large);
        if (!text.empty()) {
            w.writePropertyName("Text");
            w.writeString(text);
        }
        w.writePropertyName("Flag");
        w.writeBoolean(flag);
        w.writePropertyName("Align");
        w.writeIdent(kAligns[size_t(align)]);
        w.writePropertyName("Style");
        w.writeSetMask(kStyles, style);
        if (ratio != 0) {
            w.writePropertyName("Ratio");
            w.writeFloat(ratio);
        }
        if (!data.empty()) {
            w.writePropertyName("Data");
            w.writeBinary(data);
        }
    }
};

TBytes load(const std::string &name)
{
    std::ifstream in(test::fixture("stream/" + name), std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), {});
}

Fixture withRatio(double ratio)
{
    Fixture f;
    f.ratio = ratio;
    return f;
}
} // namespace

TEST(StreamFixture, ReadsAndRewritesForeignRecords)
{
    Fixture basic;
    basic.small = 127;
    basic.medium = -129;
    basic.large = 16777215;
    basic.text = "Caf\xE9 au lait";
    basic.flag = true;
    basic.align = 2;
    basic.style = 0b0101;
    basic.ratio = 1.0;
    const std::string rtf("{\\rtf1 x}\0\0\0\0", 13);
    basic.data.assign(rtf.begin(), rtf.end());

    Fixture negative;
    negative.tag = -1;
    negative.small = -128;
    negative.medium = 32767;
    negative.large = -32769;
    negative.ratio = -2.5;

    Fixture longString;
    longString.medium = 128;
    longString.large = 32768;
    longString.text = std::string(300, 'x');
    longString.style = 0b1010;

    const std::pair<const char *, Fixture> cases[] = {
        {"basic.bin", basic},
        {"negative.bin", negative},
        {"long_string.bin", longString},
        {"float_zero.bin", withRatio(0.0)},
        {"float_one.bin", withRatio(1.0)},
        {"float_minus_2_5.bin", withRatio(-2.5)},
        {"float_1e-300.bin", withRatio(1e-300)},
        {"float_1e300.bin", withRatio(1e300)},
        {"float_min_subnormal.bin", withRatio(std::numeric_limits<double>::denorm_min())},
    };
    for (const auto &[file, expected] : cases) {
        SCOPED_TRACE(file);
        const TBytes bytes = load(file);
        ASSERT_FALSE(bytes.empty());

        Fixture read;
        TReader r(bytes);
        const TComponentHeader header = r.readComponent(read);
        EXPECT_EQ(header.className, "TFixture");
        EXPECT_EQ(header.name, "Fixture1");
        EXPECT_TRUE(r.atEnd());
        EXPECT_TRUE(read.sameValues(expected));

        TWriter w;
        w.writeComponent(expected, "Fixture1");
        EXPECT_EQ(w.bytes(), bytes);
    }
}
