// font_description_test.cpp - the font model: the definition from its sources, LDAP.ini's values
// on top of it, and what a window takes from it.
#include "app/font_description.h"

#include <gtest/gtest.h>

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

TEST(FontDescription, AppliedFontKeepsTheWindowsOwnHeightUnlessTaken)
{
    EXPECT_EQ(AppliedTo(kDialog, kSystem, false), (FontDescription{"Segoe UI", 0, -11, 34, 700, true}));
    EXPECT_EQ(AppliedTo(kDialog, kSystem, true), (FontDescription{"Segoe UI", 0, -12, 34, 700, true}));
    EXPECT_EQ(FaceNameOf("Caf\xc3\xa9 Sans Extra Condensed Book Ital"), "Caf\xc3\xa9 Sans Extra Condensed Book");
    EXPECT_EQ(FaceNameOf(std::string(30, 'a') + "\xc3\xa9"), std::string(30, 'a'));  // never half a character
}

}  // namespace
