// settings_file_test.cpp - the settings file engine: lookups, numbers, lists and the shared cursor,
// both forms on disk, root names, zero bytes and round trips.
#include "storage/settings_file.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace {

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n";
const std::string kFooter = "</InitFile>\r\n";

/// A settings file of the given form holding one entry of key with value.
SettingsFile WithEntry(bool xmlForm, const std::string& key, const std::string& value) {
    SettingsFile file(xmlForm);
    file.Set(key, value);
    return file;
}

TEST(SettingsFile, SetWritesEntriesUnescaped) {
    SettingsFile xml(true);
    xml.Set("Key", "a<b>&\"c\xe9");
    xml.SetInt("N", -42);
    xml.SetBool("T", true);
    xml.SetBool("F", false);
    EXPECT_EQ(xml.Content(),
              "  <Key>a<b>&\"c\xe9</Key>\r\n  <N>-42</N>\r\n  <T>1</T>\r\n  <F>0</F>\r\n");
    SettingsFile plain(false);
    plain.Set("FrmMain.m_BTNSearch", "Suchen & <finden>");
    plain.SetInt("Min", std::numeric_limits<int32_t>::min());
    EXPECT_EQ(plain.Content(), "FrmMain.m_BTNSearch=\"Suchen & <finden>\"\r\nMin=\"-2147483648\"\r\n");
}

TEST(SettingsFile, GetIntReadsLikeStrtolAndClampsOutOfRange) {
    struct Case {
        const char* value;
        int32_t expected;
    };
    const Case cases[] = {
        {"42", 42},         {"42abc", 42},       {"abc", 0},
        {" 7", 7},          {"\t\r\n-12", -12},  {"+5", 5},
        {"- 5", 0},         {"0x1F", 0},         {"007", 7},
        {"2147483647", std::numeric_limits<int32_t>::max()},
        {"2147483648", std::numeric_limits<int32_t>::max()},
        {"99999999999999999999999", std::numeric_limits<int32_t>::max()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"-99999999999999999999999", std::numeric_limits<int32_t>::min()},
    };
    for (const bool xmlForm : {true, false}) {
        for (const Case& c : cases) {
            SettingsFile file = WithEntry(xmlForm, "Width", c.value);
            EXPECT_EQ(file.GetInt("Width", 99), c.expected) << c.value << (xmlForm ? " xml" : " plain");
        }
        SettingsFile empty = WithEntry(xmlForm, "Width", "");
        EXPECT_EQ(empty.GetInt("Width", 99), 99);
        EXPECT_EQ(empty.GetInt("Height", -3), -3);
    }
}

TEST(SettingsFile, GetBoolIsTrueExactlyForTheIntegerOne) {
    struct Case {
        const char* value;
        bool expected;
    };
    const Case cases[] = {{"1", true},   {"01", true},   {" 1x", true}, {"2", false},
                          {"true", false}, {"-1", false}, {"0", false},  {"4294967297", false}};
    for (const Case& c : cases) {
        SettingsFile file = WithEntry(true, "UseFontSettings", c.value);
        EXPECT_EQ(file.GetBool("UseFontSettings", !c.expected), c.expected) << c.value;
    }
    SettingsFile file = WithEntry(true, "UseFontSettings", "");
    EXPECT_TRUE(file.GetBool("UseFontSettings", true));
    EXPECT_FALSE(file.GetBool("Missing", false));
    EXPECT_TRUE(file.GetBool("Missing", true));
}

TEST(SettingsFile, EmptyValueGivesTheDefaultAndAnEmptyNext) {
    SettingsFile file = WithEntry(true, "LDAPServer", "");
    EXPECT_EQ(file.GetString("LDAPServer", "fallback"), "fallback");
    EXPECT_EQ(file.GetNext("LDAPServer"), "");
    EXPECT_EQ(file.GetString("Missing", "d"), "d");
}

TEST(SettingsFile, PlainKeysAreFoundAsSubstringsOnly) {
    SettingsFile file(false);
    file.Set("BaseDN", "o=tail");
    file.Set("DN", "o=exact");
    EXPECT_EQ(file.GetString("DN", ""), "o=tail");  // the tail of a longer key wins when first

    TempFolder folder;
    WriteBytes(folder / "lang.ini", "Name = \"spaced\"\r\nName =\"x\"\r\n");
    SettingsFile blanks(false);
    ASSERT_TRUE(blanks.Load(folder / "lang.ini"));
    EXPECT_EQ(blanks.GetString("Name", "missing"), "missing");
}

TEST(SettingsFile, XmlKeyIsFoundInsideAnotherValueAndValuesStopAtTheirClosingMarker) {
    SettingsFile file(true);
    file.Set("Note", "see <Port>1</Port> here");
    file.Set("Port", "389");
    file.Set("Text", "multi\r\nline");
    EXPECT_EQ(file.GetString("Port", ""), "1");
    EXPECT_EQ(file.GetString("Text", ""), "multi\r\nline");
    SettingsFile plain = WithEntry(false, "Msg", "say \"hi\"");
    EXPECT_EQ(plain.GetString("Msg", ""), "say ");
}

TEST(SettingsFile, ListsWalkWithGetNextAndEndAtTheFirstEmptyValue) {
    for (const bool xmlForm : {true, false}) {
        SettingsFile file(xmlForm);
        for (const char* value : {"a.cvl", "b.cvl", "", "c.cvl"}) {
            file.Set("Recent", value);
        }
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

TEST(SettingsFile, OneCursorServesAllKeys) {
    SettingsFile file(true);
    file.Set("Recent", "r1");
    file.Set("Deactivate", "0");
    file.Set("Recent", "r2");
    EXPECT_EQ(file.GetString("Deactivate", ""), "0");
    EXPECT_EQ(file.GetNext("Recent"), "r2");
    // A failed lookup leaves the cursor where it was.
    EXPECT_EQ(file.GetNext("Missing"), "");
    EXPECT_EQ(file.GetNext("Recent"), "");
    file.Clear();
    EXPECT_EQ(file.Content(), "");
    file.Set("Recent", "r3");
    EXPECT_EQ(file.GetNext("Recent"), "r3");
}

TEST(SettingsFile, SaveWritesHeaderContentFooterAndLoadReadsItBack) {
    TempFolder folder;
    for (const bool xmlForm : {true, false}) {
        const std::string path = folder / (xmlForm ? "x.ini" : "p.ini");
        SettingsFile out(xmlForm);
        out.Set("LDAPServer", "ldap.example.org");
        out.Set("DN", "o=M\xfcller & S\xf6hne,c=DE");
        out.Set("Empty", "");
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

TEST(SettingsFile, OwnRootNameIsKeptAndSurroundingTextDropped) {
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

TEST(SettingsFile, FailedLoadsKeepTheContent) {
    TempFolder folder;
    struct Case {
        const char* name;
        std::string bytes;
        bool rootReset;  // a malformed declaration resets the root name
    };
    const Case cases[] = {
        {"no-declaration", "<InitFile>\r\n  <A>1</A>\r\n</InitFile>\r\n", true},
        {"no-root", "<?xml version=\"1.0\"?> nothing", true},
        {"no-closing-root", kHeader + "  <A>1</A>\r\n", false},
        {"starts-with-zero", std::string("\0", 1) + kHeader + kFooter, true},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        const std::string path = folder / c.name;
        WriteBytes(path, c.bytes);
        SettingsFile file(true);
        file.SetRootName("Before");
        file.Set("Kept", "yes");
        EXPECT_FALSE(file.Load(path)) << c.name;
        EXPECT_EQ(file.GetString("Kept", ""), "yes") << c.name;
        if (c.rootReset) {
            EXPECT_EQ(file.RootName(), "InitFile") << c.name;
        }
    }
    SettingsFile missing(true);
    EXPECT_FALSE(missing.Load(folder / "missing"));
    EXPECT_FALSE(missing.Load(folder.Path()));
}

TEST(SettingsFile, PlainFormHoldsTheWholeTextUpToTheFirstZeroByte) {
    TempFolder folder;
    const std::string noClosing = kHeader + "  <A>1</A>\r\n";
    WriteBytes(folder / "a", noClosing);
    SettingsFile plain(false);
    ASSERT_TRUE(plain.Load(folder / "a"));
    EXPECT_EQ(plain.Content(), noClosing);

    WriteBytes(folder / "b", std::string("\0A=\"1\"\r\n", 9));
    plain.Set("X", "y");
    ASSERT_TRUE(plain.Load(folder / "b"));
    EXPECT_EQ(plain.Content(), "");

    WriteBytes(folder / "c", std::string("A=\"1\"\r\n\0B=\"2\"\r\n", 15));
    ASSERT_TRUE(plain.Load(folder / "c"));
    EXPECT_EQ(plain.GetString("B", "none"), "none");
    EXPECT_EQ(plain.GetString("A", ""), "1");

    WriteBytes(folder / "d", kHeader + "  <A>1</A>\r\n" + std::string("\0", 1) + kFooter);
    SettingsFile xml(true);
    EXPECT_FALSE(xml.Load(folder / "d"));
}

}  // namespace
