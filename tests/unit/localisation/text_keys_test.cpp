// text_keys_test.cpp - the key tables: sizes, unique keys and places, window prefixes and the named keys.
#include "localisation/text_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace {

TEST(TextKeys, EachKeyUniqueAndPrefixedByItsWindow)
{
    const struct {
        std::span<const TextKey> table;
        std::string prefix;
        std::size_t size;  // 0: not fixed
    } tables[] = {
        {MainWindowKeys(), "FrmMain.", 94},
        {DetailsWindowKeys(), "FrmDetails.", 8},
        {LanguageDialogKeys(), "FrmLanguage.", 0},
        {DetailFieldsKeys(), "FrmOptions.", 0},
        {ConnectionDialogKeys(), "FrmConnection.", 0},
        {PasswordDialogKeys(), "FrmPassword.", 0},
    };
    std::set<std::string> seen;
    for (const auto& t : tables) {
        EXPECT_TRUE(t.size == 0 || t.table.size() == t.size) << t.prefix << " " << t.table.size();
        for (const TextKey& row : t.table) {
            const std::string key = row.key;
            EXPECT_TRUE(key.starts_with(t.prefix) && key.size() > t.prefix.size()) << key;
            EXPECT_TRUE(seen.insert(key).second) << "duplicate " << key;
            ASSERT_NE(row.englishDefault, nullptr) << key;
            EXPECT_STREQ(EnglishDefault(row.key), row.englishDefault) << key;
        }
    }
    EXPECT_EQ(EnglishDefault("FrmMain.m_acMNoSuchKey"), nullptr);
    // the failure and status texts follow the controls', menus' and first messages' keys, so a language file lists them
    // last
    EXPECT_STREQ(MainWindowKeys()[45].key, keys::kSearchFailed);
}

/// Number of "%s" placeholders in text.
std::size_t Placeholders(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t at = text.find("%s"); at != std::string_view::npos; at = text.find("%s", at + 2)) {
        ++count;
    }
    return count;
}

TEST(TextKeys, NamedKeysAreTranslatableAndHoldThePlaceholdersTheirUseFills)
{
    // A named key missing from the tables would show the key itself; a text filled with a value
    // needs exactly one "%s", and a text shown as it is must hold none.
    const struct {
        const char* key;
        std::size_t placeholders;
    } cases[] = {
        {keys::kFileError, 0},
        {keys::kFileCreateError, 0},
        {keys::kError, 0},
        {keys::kNoSearchString, 0},
        {keys::kNoLDAPServer, 0},
        {keys::kNoSearchAttribute, 0},
        {keys::kNoResultAttribute, 0},
        {keys::kNoDN, 0},
        {keys::kLDAPQuery, 0},
        {keys::kNoResult, 1},
        {keys::kBtnOK, 0},
        {keys::kSearchFailed, 1},
        {keys::kStatusEntries, 1},
        {keys::kStatusCut, 1},
        {keys::kStatusStopped, 1},
        {keys::kPasswordUnencrypted, 0},
        {keys::kPasswordFor, 1},
        {keys::kBaseDnsCaption, 0},
        {keys::kBaseDnsPrompt, 0},
        {keys::kNoBaseDns, 0},
        {keys::kNeedsSecureBind, 1},
        {keys::kStatusServerLimit, 1},
    };
    for (const auto& c : cases) {
        const char* english = EnglishDefault(c.key);
        ASSERT_NE(english, nullptr) << c.key;
        EXPECT_EQ(Placeholders(english), c.placeholders) << c.key;
    }
    // file-dialog filters are in the form "Text(*.ext)|*.ext||"
    for (const char* filter : {keys::kFileFilter, keys::kCSVFilter, keys::kLDIFFilter, keys::kDetailsFileFilter}) {
        const std::string english = EnglishText(filter);
        EXPECT_TRUE(english.ends_with("||") && english.find("|*.") != std::string::npos) << filter;
    }
}

TEST(TextKeys, EachPlaceOfAWindowTakesOneRow)
{
    // two rows putting text on one control or menu item would let the later one hide the earlier
    for (auto table : AllKeyTables()) {
        std::set<std::pair<int, int>> places;
        for (const TextKey& row : table) {
            if (row.target == TextTarget::Stored) {
                continue;
            }
            EXPECT_TRUE(places.insert({static_cast<int>(row.target), row.id}).second) << row.key;
            EXPECT_EQ(KeyAt(table, row.target, row.id), &row) << row.key;
        }
    }
    EXPECT_STREQ(EnglishAt(MainWindowKeys(), TextTarget::MenuCommand, 0), "");
}

}  // namespace
