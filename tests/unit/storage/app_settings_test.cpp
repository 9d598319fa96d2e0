// app_settings_test.cpp - LDAP.ini: defaults, the written order, a round trip, and WinPos.
#include "storage/app_settings.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace {

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n";

TEST(AppSettings, MissingFileAndEmptyValuesGiveTheDefaults)
{
    TempFolder folder;
    WriteBytes((folder / "empty.ini"), kHeader +
                                           "  <UseFontSettings></UseFontSettings>\r\n  <FontDefHeight>"
                                           "</FontDefHeight>\r\n  <WinPos></WinPos>\r\n</InitFile>\r\n");
    for (const std::string& path : {(folder / "missing.ini"), (folder / "empty.ini")}) {
        const AppSettings settings = LoadAppSettings(path);
        EXPECT_TRUE(settings.recent.empty());
        EXPECT_FALSE(settings.deactivate || settings.useBuiltInFont || settings.useFontHeight);
        EXPECT_TRUE(settings.useFontSettings);
        EXPECT_FALSE(settings.font.faceName || settings.font.charSet || settings.font.height ||
                     settings.font.pitchAndFamily);
        EXPECT_EQ(settings.winPos, "");
        EXPECT_EQ(settings.languageName, "");
    }
}

TEST(AppSettings, WritesEveryKeyInOrderAndReadsItBack)
{
    TempFolder folder;
    AppSettings settings;
    settings.recent = {"/p/a & b.cvl", "/p/c.cvl"};
    settings.deactivate = true;
    settings.useFontHeight = true;
    settings.font = {"DejaVu Sans", 0, -12, 34};
    settings.winPos = "100;50;900;650";
    settings.languageName = "Deutsch";
    ASSERT_TRUE(SaveAppSettings((folder / "LDAP.ini"), settings));
    EXPECT_EQ(ReadBytes((folder / "LDAP.ini")),
              kHeader +
                  "  <Recent>/p/a & b.cvl</Recent>\r\n  <Recent>/p/c.cvl</Recent>\r\n  <Deactivate>1</Deactivate>\r\n"
                  "  <UseBuildInFont>0</UseBuildInFont>\r\n  <UseFontSettings>1</UseFontSettings>\r\n"
                  "  <UseFontHeight>1</UseFontHeight>\r\n  <FontDefName>DejaVu Sans</FontDefName>\r\n"
                  "  <FontDefCharset>0</FontDefCharset>\r\n  <FontDefHeight>-12</FontDefHeight>\r\n"
                  "  <FontDefPitch>34</FontDefPitch>\r\n  <WinPos>100;50;900;650</WinPos>\r\n"
                  "  <LanguageName>Deutsch</LanguageName>\r\n</InitFile>\r\n");
    const AppSettings read = LoadAppSettings((folder / "LDAP.ini"));
    EXPECT_EQ(read.recent, settings.recent);
    EXPECT_TRUE(read.deactivate && read.useFontHeight && read.useFontSettings && !read.useBuiltInFont);
    EXPECT_EQ(read.font.faceName, "DejaVu Sans");
    EXPECT_EQ(read.font.charSet, 0);
    EXPECT_EQ(read.font.height, -12);
    EXPECT_EQ(read.font.pitchAndFamily, 34);
    EXPECT_EQ(read.winPos, settings.winPos);
    EXPECT_EQ(read.languageName, "Deutsch");
}

TEST(AppSettings, RecentEntriesEndAtTheFirstEmptyOne)
{
    TempFolder folder;
    WriteBytes((folder / "LDAP.ini"), kHeader +
                                          "  <Recent>a</Recent>\r\n  <Recent>b</Recent>\r\n  <Recent></Recent>\r\n"
                                          "  <Recent>c</Recent>\r\n</InitFile>\r\n");
    EXPECT_EQ(LoadAppSettings((folder / "LDAP.ini")).recent, (std::vector<std::string>{"a", "b"}));
}

TEST(WinPos, ParsesUsableValuesOnly)
{
    using Kind = WindowPlacement::Kind;
    const struct {
        const char* value;
        Kind kind;
        WindowRect rect;
    } rows[] = {
        {"100;50;900;650", Kind::Rectangle, {100, 50, 900, 650}},
        {"0; 0;+1;1 trailing", Kind::Rectangle, {0, 0, 1, 1}},
        {"MAX", Kind::Maximised, {}},
        {"max", Kind::Unchanged, {}},
        {"", Kind::Unchanged, {}},
        {"-10;50;900;650", Kind::Unchanged, {}},  // left of the primary screen: not restored
        {"100;-1;900;650", Kind::Unchanged, {}},
        {"100;50;100;650", Kind::Unchanged, {}},  // empty
        {"100;50;900;40", Kind::Unchanged, {}},   // inverted
        {"100;50;900", Kind::Unchanged, {}},      // three numbers
        {"100;50;900;x", Kind::Unchanged, {}},
        {"100,50,900,650", Kind::Unchanged, {}},
        {"0;0;99999999999;10", Kind::Unchanged, {}},
        {"2000000000;0;-2000000000;10", Kind::Unchanged, {}},
    };
    for (const auto& row : rows) {
        const WindowPlacement placement = ParseWinPos(row.value);
        EXPECT_EQ(placement.kind, row.kind) << row.value;
        if (row.kind == Kind::Rectangle) {
            EXPECT_EQ(placement.rect, row.rect) << row.value;
        }
    }
    EXPECT_EQ(FormatWinPos({100, 50, 900, 650}, false), "100;50;900;650");
    EXPECT_EQ(FormatWinPos({-8, -8, 1928, 1088}, true), "MAX");
}

TEST(WinPos, RectangleMustShowOnAConnectedScreen)
{
    const WindowRect screens[] = {{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
    EXPECT_TRUE(LiesOnAScreen({2000, 100, 2400, 400}, screens));
    EXPECT_TRUE(LiesOnAScreen({1200, 1000, 1400, 1200}, screens));
    EXPECT_FALSE(LiesOnAScreen({2560, 100, 3000, 400}, screens));  // on a screen that is gone
    EXPECT_FALSE(LiesOnAScreen({100, 1024, 400, 1200}, screens));
    EXPECT_FALSE(LiesOnAScreen({0, 0, 10, 10}, {}));
}

TEST(WinPos, RectangleIsClippedToTheScreensItTouches)
{
    // "0;0;100000;100000" made a window of 32767 by 32767 pixels, and that size was saved again.
    const WindowRect screens[] = {{0, 0, 1280, 1024}, {1280, 0, 2560, 1440}, {0, 2000, 800, 2600}};
    const struct {
        WindowRect stored;
        std::optional<WindowRect> shown;
    } cases[] = {
        {{100, 100, 700, 500}, WindowRect{100, 100, 700, 500}},
        {{0, 0, 100000, 100000}, WindowRect{0, 0, 2560, 2600}},
        {{0, 0, 100000, 1500}, WindowRect{0, 0, 2560, 1440}},  // the two screens it touches, not the third
        {{1000, -50, 1500, 300}, WindowRect{1000, 0, 1500, 300}},
        {{100, 1900, 600, 100000}, WindowRect{100, 2000, 600, 2600}},
        {{3000, 0, 3500, 400}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClipToScreens(c.stored, screens), c.shown) << FormatWinPos(c.stored, false);
    }
}

TEST(WinPos, WindowGrownToItsMinimumIsMovedOntoItsScreen)
{
    const WindowRect screens[] = {{0, 0, 1600, 1000}, {1600, 0, 3200, 1000}};
    const struct {
        WindowRect shown;
        WindowRect moved;
    } cases[] = {
        {{446, 246, 1546, 1120}, {446, 126, 1546, 1000}},    // taller than the room below it
        {{1000, 100, 1800, 500}, {1000, 100, 1800, 500}},    // across two screens side by side
        {{3000, 900, 3600, 1100}, {2600, 800, 3200, 1000}},  // past the right and bottom edges
        {{-50, -20, 950, 1200}, {0, 0, 1000, 1220}},         // larger than the screen: top left in view
        {{4000, 100, 4400, 400}, {4000, 100, 4400, 400}},    // on no screen: left alone
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MoveOntoScreens(c.shown, screens), c.moved) << FormatWinPos(c.shown, false);
    }
}

}  // namespace
