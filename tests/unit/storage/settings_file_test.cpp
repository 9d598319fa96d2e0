// settings_file_test.cpp - the settings file engine: lookups, numbers, lists and the shared cursor,
// both forms on disk, root names, zero bytes and round trips.
#include "storage/settings_file.h"

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace {

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n";
const std::string kFooter = "</InitFile>\r\n";
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

/// A settings file of the given form holding the entries in order.
SettingsFile With(bool xmlForm, const std::vector<std::pair<std::string, std::string>>& entries)
{
    SettingsFile file(xmlForm);
    for (const auto& [key, value] : entries) {
        file.Set(key, value);
    }
    return file;
}

TEST(SettingsFile, SetWritesEntriesUnescaped)
{
    SettingsFile xml(true);
    xml.Set("Key", "a<b>&\"c\xe9");
    xml.SetInt("N", -42);
    xml.SetBool("T", true);
    xml.SetBool("F", false);
    EXPECT_EQ(xml.Content(), "  <Key>a<b>&\"c\xe9</Key>\r\n  <N>-42</N>\r\n  <T>1</T>\r\n  <F>0</F>\r\n");
    SettingsFile plain(false);
    plain.Set("FrmMain.m_BTNSearch", "Suchen & <finden>");
    plain.SetInt("Min", kMin);
    EXPECT_EQ(plain.Content(), "FrmMain.m_BTNSearch=\"Suchen & <finden>\"\r\nMin=\"-2147483648\"\r\n");
}

TEST(SettingsFile, GetIntReadsLikeStrtolAndClampsOutOfRangeAndGetBoolWantsTheIntegerOne)
{
    const std::pair<const char*, int32_t> ints[] = {
        {"42", 42},
        {"42abc", 42},
        {"abc", 0},
        {" 7", 7},
        {"\t\r\n-12", -12},
        {"+5", 5},
        {"- 5", 0},
        {"0x1F", 0},
        {"007", 7},
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"99999999999999999999999", kMax},
        {"-2147483648", kMin},
        {"-99999999999999999999999", kMin},
    };
    for (const bool xmlForm : {true, false}) {
        for (const auto& [value, expected] : ints) {
            EXPECT_EQ(With(xmlForm, {{"Width", value}}).GetInt("Width", 99), expected) << value << " " << xmlForm;
        }
        SettingsFile empty = With(xmlForm, {{"Width", ""}});
        EXPECT_EQ(empty.GetInt("Width", 99), 99);
        EXPECT_EQ(empty.GetInt("Height", -3), -3);
    }
    const std::pair<const char*, bool> bools[] = {{"1", true},     {"01", true},  {" 1x", true}, {"2", false},
                                                  {"true", false}, {"-1", false}, {"0", false},  {"4294967297", false}};
    for (const auto& [value, expected] : bools) {
        EXPECT_EQ(With(true, {{"UseFontSettings", value}}).GetBool("UseFontSettings", !expected), expected) << value;
    }
    SettingsFile file = With(true, {{"UseFontSettings", ""}});
    EXPECT_TRUE(file.GetBool("UseFontSettings", true));
    EXPECT_FALSE(file.GetBool("Missing", false));
    EXPECT_TRUE(file.GetBool("Missing", true));
}

TEST(SettingsFile, GetStringFindsTheFirstOpeningMarkerAndStopsAtTheClosingOne)
{
    const struct {
        const char* name;
        bool xmlForm;
        std::vector<std::pair<std::string, std::string>> entries;
        const char* key;
        const char* expected;
    } cases[] = {
        {"empty value gives the default", true, {{"LDAPServer", ""}}, "LDAPServer", "fallback"},
        {"missing key gives the default", true, {{"LDAPServer", "s"}}, "Missing", "fallback"},
        {"plain key found as the tail of a longer key",
         false,
         {{"BaseDN", "o=tail"}, {"DN", "o=exact"}},
         "DN",
         "o=tail"},
        {"xml key found inside another value",
         true,
         {{"Note", "see <Port>1</Port> here"}, {"Port", "389"}},
         "Port",
         "1"},
        {"xml value over lines", true, {{"Text", "multi\r\nline"}}, "Text", "multi\r\nline"},
        {"plain value ends at a quote", false, {{"Msg", "say \"hi\""}}, "Msg", "say "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(With(c.xmlForm, c.entries).GetString(c.key, "fallback"), c.expected) << c.name;
    }
    EXPECT_EQ(With(true, {{"LDAPServer", ""}}).GetNext("LDAPServer"), "");

    TempFolder folder;
    WriteBytes(folder / "lang.ini", "Name = \"spaced\"\r\nName =\"x\"\r\n");
    SettingsFile blanks(false);
    ASSERT_TRUE(blanks.Load(folder / "lang.ini"));
    EXPECT_EQ(blanks.GetString("Name", "missing"), "missing");
}

TEST(SettingsFile, ListsWalkWithGetNextAndEndAtTheFirstEmptyValue)
{
    for (const bool xmlForm : {true, false}) {
        SettingsFile file =
            With(xmlForm, {{"Recent", "a.cvl"}, {"Recent", "b.cvl"}, {"Recent", ""}, {"Recent", "c.cvl"}});
        std::vector<std::string> walked;
        for (std::string v = file.GetString("Recent", ""); !v.empty(); v = file.GetNext("Recent")) {
            walked.push_back(v);
        }
        EXPECT_EQ(walked, (std::vector<std::string>{"a.cvl", "b.cvl"}));
        // The empty entry was consumed: the cursor now stands before the last one.
        EXPECT_EQ(file.GetNext("Recent"), "c.cvl");
        EXPECT_EQ(file.GetNext("Recent"), "");
    }
}

TEST(SettingsFile, OneCursorServesAllKeys)
{
    SettingsFile file = With(true, {{"Recent", "r1"}, {"Deactivate", "0"}, {"Recent", "r2"}});
    EXPECT_EQ(file.GetString("Deactivate", ""), "0");
    // Find answers as GetString does and leaves the cursor alone.
    EXPECT_EQ(file.Find("Recent", "-"), "r1");
    EXPECT_EQ(file.Find("Missing", "-"), "-");
    EXPECT_EQ(file.GetNext("Recent"), "r2");
    // A failed lookup leaves the cursor where it was.
    EXPECT_EQ(file.GetNext("Missing"), "");
    EXPECT_EQ(file.GetNext("Recent"), "");
    file.Clear();
    EXPECT_EQ(file.Content(), "");
    file.Set("Recent", "r3");
    EXPECT_EQ(file.GetNext("Recent"), "r3");
}

TEST(SettingsFile, SaveWritesHeaderContentFooterAndLoadReadsItBack)
{
    TempFolder folder;
    for (const bool xmlForm : {true, false}) {
        const std::string path = folder / (xmlForm ? "x.ini" : "p.ini");
        SettingsFile out =
            With(xmlForm, {{"LDAPServer", "ldap.example.org"}, {"DN", "o=M\xfcller & S\xf6hne,c=DE"}, {"Empty", ""}});
        ASSERT_TRUE(out.Save(path));
        EXPECT_EQ(ReadBytes(path), out.Header() + out.Content() + out.Footer());
        SettingsFile in(xmlForm);
        ASSERT_TRUE(in.Load(path));
        EXPECT_EQ(in.Content(), out.Content());
        EXPECT_EQ(in.RootName(), "InitFile");
        ASSERT_TRUE(in.Save(path));
        EXPECT_EQ(ReadBytes(path), out.Header() + out.Content() + out.Footer());
    }
}

TEST(SettingsFile, OwnRootNameIsKeptAndSurroundingTextDropped)
{
    TempFolder folder;
    const std::string path = folder / "other.cvl";
    WriteBytes(path, "junk<?xml version=\"1.0\"?>\n<Settings>\n  <A>1</A>\r\n</Settings>\r\ntrailer");
    SettingsFile file(true);
    ASSERT_TRUE(file.Load(path));
    EXPECT_EQ(file.RootName(), "Settings");
    EXPECT_EQ(file.Content(), "  <A>1</A>\r\n");  // only LF after the root tag is skipped too
    ASSERT_TRUE(file.Save(path));
    EXPECT_EQ(ReadBytes(path),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<Settings>\r\n  <A>1</A>\r\n</Settings>\r\n");
}

TEST(SettingsFile, FailedLoadsKeepTheContentAndTheTextEndsAtTheFirstZeroByte)
{
    const std::string entry = "  <A>1</A>\r\n";
    const std::string zero(1, '\0');
    const struct {
        const char* name;
        bool xmlForm;
        std::string bytes;
        bool loaded;
        std::string content;  // when loaded; a failed load keeps the content it had
        bool rootReset;       // a malformed declaration resets the root name
    } cases[] = {
        {"no-declaration", true, "<InitFile>\r\n" + entry + kFooter, false, "", true},
        {"no-root", true, "<?xml version=\"1.0\"?> nothing", false, "", true},
        {"no-closing-root", true, kHeader + entry, false, "", false},
        {"starts-with-zero", true, zero + kHeader + kFooter, false, "", true},
        {"zero-before-closing-root", true, kHeader + entry + zero + kFooter, false, "", false},
        {"empty", true, "", false, "", false},
        {"plain-holds-the-whole-text", false, kHeader + entry, true, kHeader + entry, false},
        {"plain-starts-with-zero", false, zero + "A=\"1\"\r\n", true, "", false},
        {"plain-zero-inside", false, "A=\"1\"\r\n" + zero + "B=\"2\"\r\n", true, "A=\"1\"\r\n", false},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(folder / c.name, c.bytes);
        SettingsFile file = With(c.xmlForm, {{"Kept", "yes"}});
        file.SetRootName("Before");
        const std::string before = file.Content();
        EXPECT_EQ(file.Load(folder / c.name), c.loaded);
        EXPECT_EQ(file.Content(), c.loaded ? c.content : before);
        if (c.rootReset) {
            EXPECT_EQ(file.RootName(), "InitFile");
        }
    }
    SettingsFile missing(true);
    EXPECT_FALSE(missing.Load(folder / "missing"));
    EXPECT_FALSE(missing.Load(folder.Path()));
}

}  // namespace
