// TIniFile on real files in a scratch folder: private-profile reading rules, immediate
// writes that keep the rest of the file, and failed writes that leave the old file whole.
#include "rtl/IniFile.h"

#include "TestUtil.h"
#include "rtl/FloatToText.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include <string>
#include <vector>

using namespace rtl;
using rtltest::ReadFile;
using rtltest::ThrowsWith;
using rtltest::WriteFile;

namespace {

class IniFile : public ::testing::Test {
protected:
    rtltest::TempDir dir;
    std::string name = dir.Path("Settings.ini");
};

std::vector<std::string> Items(const TStringList& list) { return {list.begin(), list.end()}; }
using Texts = std::vector<std::string>;

TEST_F(IniFile, ReadsKeysCaseInsensitivelyTrimmedAndUnquoted) {
    WriteFile(name,
              "; a comment\n"
              "[Main]\n"
              "  Path  =  /opt/cards  \n"
              "Quoted=\"  spaced  \"\n"
              "Single='one'\n"
              "Half=\"open\n"
              "Inner=a \"b\" c\n"
              "Empty=\n"
              "Eq=a=b\n"
              "[ Отчёты ]\n"
              "Заголовок=Отчеты по картам\n");
    const TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("main", "PATH", "def"), "/opt/cards");
    EXPECT_EQ(ini.ReadString("MAIN", "quoted", "def"), "  spaced  ");
    EXPECT_EQ(ini.ReadString("Main", "Single", "def"), "one");
    EXPECT_EQ(ini.ReadString("Main", "Half", "def"), "\"open");
    EXPECT_EQ(ini.ReadString("Main", "Inner", "def"), "a \"b\" c");
    EXPECT_EQ(ini.ReadString("Main", "Empty", "def"), "");  // present but empty is not the default
    EXPECT_EQ(ini.ReadString("Main", "Eq", "def"), "a=b");
    EXPECT_EQ(ini.ReadString("ОТЧЁТЫ", "заголовок", "def"), "Отчеты по картам");
    EXPECT_EQ(ini.ReadString("Main", "Заголовок", "def"), "def");  // keys belong to their section
}

TEST_F(IniFile, MissingFileSectionOrKeyGivesTheDefault) {
    const TIniFile absent(dir.Path("absent.ini"));
    EXPECT_EQ(absent.ReadString("S", "K", "def"), "def");
    EXPECT_EQ(absent.ReadInteger("S", "K", 7), 7);
    EXPECT_TRUE(absent.ReadBool("S", "K", true));
    EXPECT_EQ(absent.ReadFloat("S", "K", 2.5), 2.5);
    EXPECT_FALSE(absent.SectionExists("S"));
    TStringList sections{"stale"};
    absent.ReadSections(sections);
    EXPECT_TRUE(sections.Empty());

    WriteFile(name, "[S]\nK=1\n");
    const TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("Other", "K", "def"), "def");
    EXPECT_EQ(ini.ReadString("S", "Other", "def"), "def");
    EXPECT_FALSE(ini.ValueExists("S", "Other"));
    EXPECT_TRUE(ini.ValueExists("s", "k"));
    const TIniFile folder(dir.Path());  // a folder is no file
    EXPECT_EQ(folder.ReadString("S", "K", "def"), "def");
}

TEST_F(IniFile, GarbledLinesAreSkipped) {
    WriteFile(name,
              "garbage before any section\n"
              "[A]\n"
              "no equals sign here\n"
              "=no key\n"
              "[broken header\n"
              "\x01\x02\xFF\xFE\n"
              "# hash comment=1\n"
              ";Key=commented out\n"
              "Key=value\n"
              "]odd[\n"
              "Next=2\r\n"
              "[]\n"
              "Nameless=3\n");
    const TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("A", "Key", "def"), "value");
    EXPECT_EQ(ini.ReadString("A", "Next", "def"), "2");
    EXPECT_EQ(ini.ReadString("A", ";Key", "def"), "def");
    TStringList keys;
    ini.ReadSection("A", keys);
    EXPECT_EQ(Items(keys), (Texts{"Key", "Next"}));
}

TEST_F(IniFile, IntegersBooleansAndFloats) {
    WriteFile(name,
              "[N]\n"
              "Dec= 42 \n"
              "Neg=-7\n"
              "Hex=$1F\n"
              "CHex=0x10\n"
              "Bad=12abc\n"
              "Blank=\n"
              "Big=99999999999\n"
              "Zero=0\n"
              "One=1\n"
              "Two=2\n"
              "Minus=-1\n"
              "Word=true\n"
              "Point=1.5\n"
              "Comma=2,5\n");
    const TIniFile ini(name);
    EXPECT_EQ(ini.ReadInteger("N", "Dec", 0), 42);
    EXPECT_EQ(ini.ReadInteger("N", "Neg", 0), -7);
    EXPECT_EQ(ini.ReadInteger("N", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "CHex", 0), 16);
    EXPECT_EQ(ini.ReadInteger("N", "Bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "Blank", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "Big", -1), -1);
    EXPECT_FALSE(ini.ReadBool("N", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "One", false));
    EXPECT_TRUE(ini.ReadBool("N", "Two", false));
    EXPECT_TRUE(ini.ReadBool("N", "Minus", false));
    EXPECT_TRUE(ini.ReadBool("N", "Word", true));  // not a number: the default
    EXPECT_FALSE(ini.ReadBool("N", "Word", false));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "Point", 0), 1.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "Comma", 0), 2.5);  // the locale's separator is read too
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "Word", -1), -1);
}

TEST_F(IniFile, NumbersAreWrittenWithAPointWhateverTheLocale) {
    TIniFile ini(name);
    ini.WriteFloat("N", "F", 1234.5);
    ini.WriteFloat("N", "Third", 1.0 / 3.0);
    ini.WriteInteger("N", "I", -12);
    ini.WriteBool("N", "T", true);
    ini.WriteBool("N", "B", false);
    EXPECT_EQ(ReadFile(name), "[N]\nF=1234.5\nThird=0.333333333333333\nI=-12\nT=1\nB=0\n");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "F", 0), 1234.5);
    EXPECT_EQ(ini.ReadInteger("N", "I", 0), -12);
    EXPECT_TRUE(ini.ReadBool("N", "T", false));
    EXPECT_FALSE(ini.ReadBool("N", "B", true));
    TFormatSettingsScope english(EnglishFormatSettings());
    ini.WriteFloat("N", "F", 1234567.25);
    EXPECT_EQ(ini.ReadString("N", "F", ""), "1234567.25");  // no thousands separator either
}

TEST_F(IniFile, NothingIsCached) {
    const TIniFile reader(name);
    TIniFile writer(name);
    EXPECT_EQ(reader.ReadString("S", "K", "def"), "def");
    writer.WriteString("S", "K", "first");
    EXPECT_EQ(reader.ReadString("S", "K", "def"), "first");
    WriteFile(name, "[S]\nK=changed by hand\n");  // another program edits the file
    EXPECT_EQ(reader.ReadString("S", "K", "def"), "changed by hand");
    EXPECT_EQ(writer.ReadString("S", "K", "def"), "changed by hand");
    writer.WriteString("S", "Other", "x");
    EXPECT_EQ(ReadFile(name), "[S]\nK=changed by hand\nOther=x\n");  // the hand edit survives
}

TEST_F(IniFile, EveryWriteReachesTheFileAtOnce) {
    TIniFile ini(name);
    ini.WriteString("Main", "Path", "/opt");
    EXPECT_EQ(ReadFile(name), "[Main]\nPath=/opt\n");
    ini.WriteString("MAIN", "Path", "/srv");  // the same section in another case
    EXPECT_EQ(ReadFile(name), "[Main]\nPath=/srv\n");
    ini.WriteString("Main", "PATH", "/usr");  // the same key in another case
    TStringList keys;
    ini.ReadSection("Main", keys);
    EXPECT_EQ(keys.Count(), 1);
    EXPECT_EQ(ini.ReadString("main", "path", ""), "/usr");
    ini.WriteString("Отчёты", "Заголовок", "Отчеты по картам");
    ini.WriteString("ОТЧЁТЫ", "заголовок", "Отчёты");
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(Items(sections), (Texts{"Main", "Отчёты"}));
    EXPECT_EQ(ini.ReadString("Отчёты", "Заголовок", ""), "Отчёты");
    ini.WriteString("Main", "Quoted", "\"  padded  \"");
    EXPECT_EQ(ini.ReadString("Main", "Quoted", ""), "  padded  ");
    ini.WriteString("Main", "Padded", "  x  ");
    EXPECT_EQ(ini.ReadString("Main", "Padded", ""), "x");  // the reading rules trim
}

TEST_F(IniFile, ALineBreakInAValueIsRefused) {
    TIniFile ini(name);
    ini.WriteString("S", "K", "old");
    for (const char* value : {"two\nlines", "two\r\nlines", "cr\r"}) {
        SCOPED_TRACE(value);
        EXPECT_TRUE(ThrowsWith<EIniFileException>([&] { ini.WriteString("S", "K", value); }, name));
        EXPECT_EQ(ReadFile(name), "[S]\nK=old\n");
    }
}

TEST_F(IniFile, RewritingKeepsOtherLinesCommentsAndLineEnds) {
    const std::string original =
        "; settings of the card reports\r\n"
        "[A]\r\n"
        "x=1\r\n"
        "# note\r\n"
        "y = 2\r\n"
        "\r\n"
        "[B]\r\n"
        "z=3\r\n";
    WriteFile(name, original);
    TIniFile ini(name);
    ini.WriteString("a", "x", "5");
    EXPECT_EQ(ReadFile(name),
              "; settings of the card reports\r\n[A]\r\nx=5\r\n# note\r\ny = 2\r\n\r\n[B]\r\nz=3\r\n");
    ini.WriteString("A", "new", "n");  // after the section's last entry, before the blank line
    EXPECT_EQ(ReadFile(name),
              "; settings of the card reports\r\n[A]\r\nx=5\r\n# note\r\ny = 2\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n");
    ini.WriteString("C", "w", "4");
    EXPECT_EQ(ReadFile(name),
              "; settings of the card reports\r\n[A]\r\nx=5\r\n# note\r\ny = 2\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n"
              "[C]\r\nw=4\r\n");
}

TEST_F(IniFile, SectionsKeysAndErasing) {
    WriteFile(name, "[One]\na=1\nb=\"2\"\n[Two]\nc=3\n[three]\n");
    TIniFile ini(name);
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(Items(list), (Texts{"One", "Two", "three"}));
    ini.ReadSection("ONE", list);
    EXPECT_EQ(Items(list), (Texts{"a", "b"}));
    ini.ReadSectionValues("one", list);
    EXPECT_EQ(Items(list), (Texts{"a=1", "b=2"}));
    EXPECT_TRUE(ini.SectionExists("THREE"));
    ini.ReadSection("three", list);
    EXPECT_TRUE(list.Empty());

    ini.DeleteKey("one", "A");
    EXPECT_EQ(ReadFile(name), "[One]\nb=\"2\"\n[Two]\nc=3\n[three]\n");
    ini.DeleteKey("one", "missing");
    ini.DeleteKey("missing", "b");
    EXPECT_EQ(ReadFile(name), "[One]\nb=\"2\"\n[Two]\nc=3\n[three]\n");
    ini.EraseSection("TWO");
    EXPECT_EQ(ReadFile(name), "[One]\nb=\"2\"\n[three]\n");
    EXPECT_FALSE(ini.SectionExists("Two"));
    ini.EraseSection("absent");
    ini.EraseSection("three");
    EXPECT_EQ(ReadFile(name), "[One]\nb=\"2\"\n");
}

TEST_F(IniFile, WriteIntoAMissingFolderRaises) {
    const std::string lost = dir.Path("no/such/folder/Settings.ini");
    TIniFile ini(lost);
    EXPECT_TRUE(ThrowsWith<EIniFileException>([&] { ini.WriteString("S", "K", "v"); }, lost));
    EXPECT_EQ(ini.ReadString("S", "K", "def"), "def");
}

// A write that fails half way (here: the file-size limit is hit) must raise and leave the
// old file whole. Root ignores permissions, but not this limit.
TEST_F(IniFile, AFailedWriteLeavesTheOldFileWhole) {
    const std::string original = "[S]\nK=old\n; keep me\n";
    WriteFile(name, original);
    TIniFile ini(name);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool raised = ThrowsWith<EIniFileException>([&] { ini.WriteString("S", "K", std::string(200, 'x')); }, name);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(raised);
    EXPECT_EQ(ReadFile(name), original);
    EXPECT_EQ(ini.ReadString("S", "K", ""), "old");
    ini.WriteString("S", "K", "new");  // and the next write works
    EXPECT_EQ(ini.ReadString("S", "K", ""), "new");
}

}  // namespace
