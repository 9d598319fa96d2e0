// language_catalog_test.cpp - reading LDAP_Languages.ini, the start-up choice and the dialog's list.
#include "localisation/language_catalog.h"

#include <gtest/gtest.h>

#include <vector>

#include "temp_folder.h"

namespace {

using Names = std::vector<std::string>;

std::string Entry(const std::string& name, const std::string& file, const std::string& locale = "")
{
    std::string text = "LanguageName=\"" + name + "\"\r\nLanguageFile=\"" + file + "\"\r\n";
    if (!locale.empty()) {
        text += "LanguageLocale=\"" + locale + "\"\r\n";
    }
    return text;
}

LanguageCatalog Catalog(const TempFolder& folder, const std::string& bytes)
{
    WriteBytes(folder / "LDAP_Languages.ini", bytes);
    return ReadLanguageCatalog(folder / "LDAP_Languages.ini");
}

Names NamesOf(const LanguageCatalog& catalog)
{
    Names names;
    for (const LanguageEntry& entry : catalog.entries) {
        names.push_back(entry.name);
    }
    return names;
}

TEST(LanguageCatalog, ReadsPairsUpToTheFirstIncompleteOne)
{
    TempFolder folder;
    const struct {
        std::string bytes;
        Names names;
    } cases[] = {
        {Entry("Deutsch", "de.ini") + Entry("Français", "fr.ini"), {"Deutsch", "Français"}},
        {Entry("Deutsch", "de.ini") + Entry("Français", "") + Entry("Svenska", "sv.ini"), {"Deutsch"}},
        {Entry("", "de.ini") + Entry("Français", "fr.ini"), {}},
        // the locale key of our catalogues is no key of any window's key table
        {Entry("Deutsch", "de.ini", "de") + Entry("Français", "fr.ini") + Entry("Svenska", "sv.ini", "sv"),
         {"Deutsch", "Français", "Svenska"}},
        {"LanguageDefault=\"Svenska\"\r\n" + Entry("Svenska", "sv.ini"), {"Svenska"}},
    };
    for (const auto& c : cases) {
        const LanguageCatalog catalog = Catalog(folder, c.bytes);
        EXPECT_TRUE(catalog.loaded);
        EXPECT_EQ(NamesOf(catalog), c.names) << c.bytes;
    }
    const LanguageCatalog withLocales = Catalog(
        folder, Entry("Deutsch", "de.ini", "de") + Entry("Français", "fr.ini") + Entry("Svenska", "sv.ini", "sv"));
    ASSERT_EQ(withLocales.entries.size(), 3u);
    EXPECT_EQ(withLocales.entries[0].file, "de.ini");
    EXPECT_EQ(withLocales.entries[0].locale, "de");
    EXPECT_EQ(withLocales.entries[1].locale, "");  // the next entry's locale is not its own
    EXPECT_EQ(withLocales.entries[2].locale, "sv");

    EXPECT_FALSE(ReadLanguageCatalog(folder / "missing.ini").loaded);
}

TEST(LanguageCatalog, StartupChoiceByNameDefaultAndDesktop)
{
    TempFolder folder;
    const std::string two = Entry("Deutsch", "de.ini", "de") + Entry("Français", "fr.ini", "fr");
    const struct {
        std::string bytes;
        std::string requested;
        std::string desktop;
        const char* chosen;  // nullptr: none
    } cases[] = {
        {"LanguageDefault=\"Français\"\r\n" + two, "", "de_DE.UTF-8", "Français"},
        {"LanguageDefault=\"Italiano\"\r\n" + Entry("Deutsch", "de.ini") + Entry("Français", "fr.ini"), "", "de_DE",
         nullptr},
        {"LanguageDefault=\"Italiano\"\r\n" + two, "", "fr_CA.UTF-8@euro", "Français"},
        {two, "Deutsch", "fr_FR.UTF-8", "Deutsch"},
        {two, "deutsch", "fr_FR.UTF-8", nullptr},
        {two, "Italiano", "fr_FR.UTF-8", nullptr},  // a saved name asks for that language only
        {two, "", "C", nullptr},
    };
    for (const auto& c : cases) {
        const LanguageCatalog catalog = Catalog(folder, c.bytes);
        const LanguageEntry* entry = StartupLanguage(catalog, c.requested, c.desktop);
        SCOPED_TRACE(c.bytes + " / " + c.requested + " / " + c.desktop);
        if (c.chosen == nullptr) {
            EXPECT_EQ(entry, nullptr);
        } else {
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(entry->name, c.chosen);
        }
    }
    // the first of two entries of one name wins
    const LanguageCatalog twice = Catalog(folder, two + Entry("Deutsch", "de2.ini"));
    EXPECT_EQ(StartupLanguage(twice, "Deutsch", "")->file, "de.ini");
}

TEST(LanguageCatalog, LocaleMatchesTheDesktopLanguage)
{
    const struct {
        const char *entry, *desktop;
        bool matches;
    } cases[] = {
        {"de", "de_DE.UTF-8", true},     {"de", "de", true},
        {"DE", "de_AT@euro", true},      {"pt_BR", "pt_BR.UTF-8", true},
        {"pt_BR", "pt_PT.UTF-8", false}, {"de", "da_DK.UTF-8", false},
        {"", "de_DE.UTF-8", false},      {"c", "C", false},
        {"posix", "POSIX", false},       {"de", "", false},
        {"d", "de_DE", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LocaleMatches(c.entry, c.desktop), c.matches) << c.entry << " / " << c.desktop;
    }
}

TEST(LanguageCatalog, DialogListsBuiltInEnglishUnlessTheCatalogueDoes)
{
    TempFolder folder;
    const std::string two = Entry("Deutsch", "de.ini") + Entry("Français", "fr.ini");
    const struct {
        std::string bytes;
        std::string current;
        Names names;
        std::size_t selection;
    } cases[] = {
        {two, "", {"English", "Deutsch", "Français"}, 0},
        {two, "/p/fr.ini", {"English", "Deutsch", "Français"}, 2},
        {two, "/other/fr.ini", {"English", "Deutsch", "Français"}, 0},
        {two + Entry("English", "en.ini"), "/p/fr.ini", {"Deutsch", "Français", "English"}, 1},
        {two + Entry("English", "en.ini"), "", {"Deutsch", "Français", "English"}, 0},
        {two + Entry("english", "en.ini"), "/p/en.ini", {"English", "Deutsch", "Français", "english"}, 3},
    };
    for (const auto& c : cases) {
        const LanguageChoices choices = LanguageDialogChoices(Catalog(folder, c.bytes), "/p/", c.current);
        SCOPED_TRACE(c.bytes + " / " + c.current);
        EXPECT_EQ(choices.names, c.names);
        EXPECT_EQ(choices.selection, c.selection);
        ASSERT_EQ(choices.entryFiles.size(), c.names.size());
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_EQ(choices.entryFiles[i].empty(),
                      c.names[i] == "English" && c.bytes.find("\"English\"") == std::string::npos);
        }
    }
    const LanguageChoices none = LanguageDialogChoices(ReadLanguageCatalog(folder / "missing.ini"), "/p/", "/p/de.ini");
    EXPECT_EQ(none.names, Names{"English"});
    EXPECT_EQ(none.entryFiles, Names{""});
}

}  // namespace
