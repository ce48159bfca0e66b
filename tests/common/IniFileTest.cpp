#include "common/IniFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

using namespace velmora;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

class IniFile : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() /
                 ("velmora-ini-" + std::to_string(getpid()) + "-" + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    void writeBytes(const std::string &bytes) { std::ofstream(path(), std::ios::binary) << bytes; }
    std::string readBytes() const
    {
        std::ifstream in(path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path path() const { return folder / "QX.ini"; }
    TIniFile ini() const { return TIniFile(path()); }

    fs::path folder;
};

} // namespace

TEST_F(IniFile, SectionsAndKeysMatchWithoutRegardToCase)
{
    writeBytes("[Zooming]\r\nMain=70\r\n");
    EXPECT_EQ(ini().readInteger("zooming", "MAIN", 60), 70);
    ini().writeInteger("ZOOMING", "main", 80);
    EXPECT_EQ(readBytes(), "[Zooming]\r\nMain=80\r\n");

    // Windows-1252 letters fold too, and UTF-8 round-trips through the code page.
    ini().writeString("Größe", "Ärger", "Café €5");
    EXPECT_NE(readBytes().find("[Gr\xF6\xDF" "e]\r\n\xC4rger=Caf\xE9 \x80" "5\r\n"),
              std::string::npos);
    EXPECT_EQ(ini().readString("GRöße", "äRGER", "x"), "Café €5");
}

TEST_F(IniFile, IntegersDecimalHexAndDefaults)
{
    const std::pair<const char *, int32_t> cases[] = {
        {"12", 12},         {"-5", -5},       {"+7", 7},           {"007", 7},
        {"0x1F", 31},       {"0X1f", 31},     {"0xFFFFFFFF", -1},  {"0x00FF0000", 0xFF0000},
        {"0x", 99},         {"0x1G", 99},     {"0x100000000", 99}, {"abc", 99},
        {"12abc", 99},      {"", 99},         {"-", 99},           {"2147483648", 99},
        {"-2147483648", INT32_MIN},           {"  42  ", 42},      {"'17'", 17},
    };
    for (const auto &[text, expected] : cases) {
        writeBytes(std::string("[S]\r\nK=") + text + "\r\n");
        EXPECT_EQ(ini().readInteger("S", "K", 99), expected) << '"' << text << '"';
    }
    EXPECT_EQ(ini().readInteger("S", "Missing", 99), 99);
    EXPECT_EQ(ini().readInteger("Missing", "K", 99), 99);
}

TEST_F(IniFile, BooleansWrittenAsDigitsAndReadAsIntegers)
{
    ini().writeBool("Hints", "On", true);
    ini().writeBool("Hints", "Off", false);
    EXPECT_EQ(readBytes(), "[Hints]\r\nOn=1\r\nOff=0\r\n");
    writeBytes("[Hints]\r\nTwo=2\r\nWord=yes\r\n");
    EXPECT_TRUE(ini().readBool("Hints", "Two", false));
    EXPECT_FALSE(ini().readBool("Hints", "Word", false));
}

TEST_F(IniFile, StringsAreCutAt1023CharactersAndKeepTheirBlanks)
{
    ini().writeString("S", "Long", std::string(1500, 'a'));
    EXPECT_EQ(ini().readString("S", "Long", ""), std::string(1023, 'a'));

    for (const std::string value : {"  padded  ", "\"quoted\"", "'single'", "x", ""}) {
        ini().writeString("S", "V", value);
        EXPECT_EQ(ini().readString("S", "V", "default"), value);
    }
    writeBytes("[S]\r\nQ=  \"hand quoted\"  \r\nEmpty=\r\n");
    EXPECT_EQ(ini().readString("S", "Q", ""), "hand quoted");
    EXPECT_EQ(ini().readString("S", "Empty", "default"), "");

    ini().writeString("S", "Break", "two\r\nlines");
    EXPECT_EQ(ini().readString("S", "Break", ""), "two  lines");
}

TEST_F(IniFile, NewFileIsCrLfWithBlankLineBetweenSections)
{
    ini().writeInteger("Zooming", "Main", 60);
    ini().writeInteger("Zooming", "Prop", 30);
    ini().writeString("Default Font", "Name", "Arial");
    EXPECT_EQ(readBytes(), "[Zooming]\r\nMain=60\r\nProp=30\r\n\r\n[Default Font]\r\nName=Arial\r\n");
}

TEST_F(IniFile, UpdatesKeepEveryUnrelatedLine)
{
    writeBytes("; written by hand\n"
               "orphan=1\n"
               "[Zooming]\n"
               "Prop = 30\n"
               "Main=60\n"
               "; keep me\n"
               "junk line\n"
               "\n"
               "; the icons\n"
               "[Icons]\n"
               "File=/opt/misc1.icl");
    ini().writeInteger("Zooming", "main", 90);
    ini().writeInteger("Zooming", "New", 1);
    ini().writeBool("Icons", "Visible", false);
    EXPECT_EQ(readBytes(), "; written by hand\r\n"
                           "orphan=1\r\n"
                           "[Zooming]\r\n"
                           "Prop = 30\r\n"
                           "Main=90\r\n"
                           "New=1\r\n"
                           "; keep me\r\n"
                           "junk line\r\n"
                           "\r\n"
                           "; the icons\r\n"
                           "[Icons]\r\n"
                           "File=/opt/misc1.icl\r\n"
                           "Visible=0\r\n");
    EXPECT_EQ(ini().readInteger("Zooming", "orphan", 5), 5); // keys before any section
}

TEST_F(IniFile, FirstSectionAndKeyWin)
{
    writeBytes("[A]\r\nK=1\r\nK=2\r\n[a]\r\nK=3\r\nL=4\r\n");
    EXPECT_EQ(ini().readInteger("A", "K", 0), 1);
    EXPECT_EQ(ini().readInteger("A", "L", 0), 0);
    EXPECT_EQ(ini().readSection("A"), (std::vector<std::string>{"K", "K"}));
}

TEST_F(IniFile, EraseAndReplaceSections)
{
    writeBytes("[MRU]\r\nF0=/a\r\nF1=/b\r\n\r\n[Hints]\r\nOn=1\r\n[mru]\r\nF9=/z\r\n");
    EXPECT_EQ(ini().readSectionValues("mru"), (TIniValues{{"F0", "/a"}, {"F1", "/b"}}));

    ini().writeSection("MRU", {{"F0", "/c"}});
    EXPECT_EQ(readBytes(), "[MRU]\r\nF0=/c\r\n\r\n[Hints]\r\nOn=1\r\n");

    ini().eraseSection("mru");
    EXPECT_EQ(readBytes(), "[Hints]\r\nOn=1\r\n");
    EXPECT_FALSE(ini().sectionExists("MRU"));
    ini().eraseSection("Nothing");
    ini().deleteKey("Hints", "On");
    EXPECT_EQ(readBytes(), "[Hints]\r\n");

    fs::remove(path());
    ini().eraseSection("MRU");
    EXPECT_FALSE(fs::exists(path())); // nothing to erase writes nothing
}

TEST_F(IniFile, FailedWriteThrowsAndLeavesTheOldFile)
{
    writeBytes("[S]\r\nK=1\r\n");
    // A folder where the temporary file has to go blocks the write even for root.
    fs::create_directory(folder / "QX.ini.tmp");
    try {
        ini().writeInteger("S", "K", 2);
        FAIL() << "no exception";
    } catch (const TIniFileError &e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path().string());
    }
    EXPECT_EQ(readBytes(), "[S]\r\nK=1\r\n");

    std::ofstream(folder / "plain") << "x";
    const fs::path impossible = folder / "plain" / "QX.ini";
    EXPECT_THROW(TIniFile(impossible).writeBool("S", "K", true), TIniFileError);
    EXPECT_THROW(TIniFile(folder).writeBool("S", "K", true), TIniFileError);
    EXPECT_EQ(TIniFile(impossible).readInteger("S", "K", 7), 7);

    EXPECT_THROW(ini().writeInteger("S", "A=B", 1), std::invalid_argument);
    EXPECT_THROW(ini().writeInteger("S]", "K", 1), std::invalid_argument);
    EXPECT_THROW(ini().writeInteger("S", "", 1), std::invalid_argument);
}

TEST_F(IniFile, DamagedFilesReadWithoutCrashAndSurviveAWrite)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 37) & 0xFF);
    const std::string longLine = "Long=" + std::string(1 << 20, 'x');
    const std::string damaged = garbage + "\n[Broken\r\nK=1\r\n[Good]\r\n" + longLine +
                                "\r\nK=\0\x01" "5\r\n\xEF\xBB\xBF"s;
    writeBytes(damaged);
    EXPECT_EQ(ini().readInteger("Broken", "K", 9), 9);
    EXPECT_EQ(ini().readString("Good", "Long", "").size(), TIniFile::kMaxString);
    EXPECT_EQ(ini().readInteger("Good", "K", 9), 9);

    ini().writeInteger("Good", "New", 1);
    const std::string after = readBytes();
    EXPECT_NE(after.find(garbage.substr(0, 10)), std::string::npos);
    EXPECT_NE(after.find(longLine + "\r\n"), std::string::npos);
    EXPECT_EQ(ini().readInteger("Good", "New", 0), 1);

    // An editor's byte order mark must not hide the first section.
    writeBytes("\xEF\xBB\xBF[Zooming]\r\nMain=40\r\n");
    EXPECT_EQ(ini().readInteger("Zooming", "Main", 60), 40);
}

TEST_F(IniFile, SnapshotReadsLikeTheFileAndKeepsWhatItRead)
{
    const std::string bytes = "\xEF\xBB\xBF[Font]\r\n Name = \"Arial \"\r\nSize=0x10\r\n"
                              "[font]\r\nSize=99\r\n[Icons]\r\nVisible=1\r\n";
    writeBytes(bytes);
    const TIniSnapshot fromFile = ini().snapshot();
    const TIniSnapshot fromBytes = TIniSnapshot::FromBytes(bytes);
    for (const TIniSnapshot *snap : {&fromFile, &fromBytes}) {
        EXPECT_EQ(snap->readString("FONT", "name", "-"), "Arial ");
        EXPECT_EQ(snap->readInteger("Font", "Size", 0), 16);
        EXPECT_TRUE(snap->readBool("Icons", "Visible", false));
        EXPECT_EQ(snap->readSection("Font"), (std::vector<std::string>{"Name", "Size"}));
        EXPECT_FALSE(snap->valueExists("Icons", "File"));
    }
    // A snapshot is what the file held when it was taken; the file itself moves on.
    ini().writeInteger("Font", "Size", 12);
    EXPECT_EQ(fromFile.readInteger("Font", "Size", 0), 16);
    EXPECT_EQ(ini().readInteger("Font", "Size", 0), 12);
    EXPECT_EQ(TIniSnapshot(folder / "missing.ini").readString("Font", "Name", "none"), "none");
}
