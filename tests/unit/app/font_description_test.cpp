// font_description_test.cpp - the font model: the definition from its sources, LDAP.ini's values
// on top of it, and what a window takes from it.
#include "app/fonts/font_description.h"

#include <gtest/gtest.h>

#include <climits>

#include "storage/app_settings.h"

namespace {

const FontDescription kSystem{"Segoe UI", 0, -12, 34, 400, false};
const FontDescription kDialog{"MS Sans Serif", 1, -11, 18, 700, true};

TEST(FontDescription, DefinitionFollowsTheFlags)
{
    // the dialog's font with the system's face, character set and pitch; its height on request
    EXPECT_EQ(DefinitionOf(kSystem, kDialog, false, false), (FontDescription{"Segoe UI", 0, -11, 34, 700, true}));
    EXPECT_EQ(DefinitionOf(kSystem, kDialog, false, true), (FontDescription{"Segoe UI", 0, -12, 34, 700, true}));
    EXPECT_EQ(DefinitionOf(kSystem, kDialog, true, true), kDialog);
}

TEST(FontDescription, StoredValuesReplaceTheirPropertyAndHeightOnlyOnRequest)
{
    const StoredFont stored{std::string(40, 'F'), 204, -20, 49};
    const FontDescription withoutHeight = WithStoredValues(kDialog, stored, false);
    EXPECT_EQ(withoutHeight, (FontDescription{std::string(31, 'F'), 204, -11, 49, 700, true}));
    EXPECT_EQ(WithStoredValues(kDialog, stored, true).height, -20);
    EXPECT_EQ(WithStoredValues(kDialog, StoredFont{}, true), kDialog);  // nothing stored: unchanged
}

TEST(FontDescription, AStoredHeightOutsideSixTo72PointsKeepsTheDefault)
{
    // 8 and 96 pixels are 6 and 72 points at 96 dots per inch; beyond them, and ±2^31, the
    // toolkit asserted or showed a blank window.
    const struct {
        int32_t stored;
        int32_t applied;
    } cases[] = {{-8, -8}, {96, 96},       {-96, -96},       {-7, -11},       {97, -11},
                 {0, -11}, {-100000, -11}, {INT32_MIN, -11}, {INT32_MAX, -11}};
    for (const auto& c : cases) {
        EXPECT_EQ(WithStoredValues(kDialog, StoredFont{{}, {}, c.stored, {}}, true).height, c.applied) << c.stored;
    }
}

TEST(FontDescription, AppliedFontKeepsTheWindowsOwnHeightUnlessTaken)
{
    EXPECT_EQ(AppliedTo(kDialog, kSystem, false), (FontDescription{"Segoe UI", 0, -11, 34, 700, true}));
    EXPECT_EQ(AppliedTo(kDialog, kSystem, true), (FontDescription{"Segoe UI", 0, -12, 34, 700, true}));
    EXPECT_EQ(FaceNameOf("Caf\xc3\xa9 Sans Extra Condensed Book Ital"), "Caf\xc3\xa9 Sans Extra Condensed Book");
    EXPECT_EQ(FaceNameOf(std::string(30, 'a') + "\xc3\xa9"), std::string(30, 'a'));  // never half a character
}

}  // namespace
