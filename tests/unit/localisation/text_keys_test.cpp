// text_keys_test.cpp - the key tables: sizes, unique keys, window prefixes and the named keys.
#include "localisation/text_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(TextKeys, EachKeyUniqueAndPrefixedByItsWindow)
{
    const struct {
        std::span<const TextKey> table;
        std::string prefix;
        std::size_t size;  // 0: not fixed
    } tables[] = {
        {MainWindowKeys(), "FrmMain.", 58},
        {DetailsWindowKeys(), "FrmDetails.", 6},
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

TEST(TextKeys, NamedMessageKeysHaveTheirDefaults)
{
    const struct {
        const char *key, *english;
    } cases[] = {
        {keys::kFileError, "Cannot read file!"},
        {keys::kFileCreateError, "Cannot create file!"},
        {keys::kError, "ERROR"},
        {keys::kNoSearchString, "No search string selected."},
        {keys::kNoLDAPServer, "No LDAP server selected."},
        {keys::kNoSearchAttribute, "No search attribute selected."},
        {keys::kNoResultAttribute, "No result attribute selected."},
        {keys::kNoDN, "No distinguished name selected."},
        {keys::kLDAPQuery, "LDAP query in progress..."},
        {keys::kNoResult, "No result found for '%s'"},
        {keys::kFileFilter, "LDAP profile(*.cvl)|*.cvl||"},
        {keys::kCSVFilter, "CSV file (*.csv)|*.csv||"},
        {keys::kBtnOK, "OK"},
        {keys::kDetailsFileFilter, "Textfile(*.txt)|*.txt||"},
        {keys::kSearchFailed, "Search failed: %s"},
        {keys::kStatusEntries, "%s entries"},
        {keys::kStatusCut, "%s entries shown; the directory holds more"},
    };
    for (const auto& c : cases) {
        const char* english = EnglishDefault(c.key);
        ASSERT_NE(english, nullptr) << c.key;
        EXPECT_STREQ(english, c.english) << c.key;
    }
}

}  // namespace
