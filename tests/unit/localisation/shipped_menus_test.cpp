// shipped_menus_test.cpp - the menus in every shipped language: each label gets a mnemonic of its
// own within its menu, and each translated shortcut reaches the toolkit's shortcut column.
#include <cctype>
#include <set>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "platform/menu_label.h"
#include "localisation/menu_mnemonics.h"

namespace {

const std::string kFolder = std::string(CORVANE_SOURCE_DIR) + "/resources/languages/";
const char* const kLanguages[] = {"", "Deutsch", "Francais", "Greek", "Svenska", "Turkce"};

/// The labels shown together: the menu bar, each drop-down, the Recent submenu, the details window.
const std::vector<std::vector<std::string>> kMenus = {
    {"FrmMain.ID_MEN_FILE", "FrmMain.ID_MEN_EDIT", "FrmMain.ID_MEN_OPTIONS", "?"},
    {"FrmMain.ID_MEN_NEW", "FrmMain.ID_MEN_OPEN", "FrmMain.ID_MEN_SAVE", "FrmMain.ID_MEN_SAVEAS",
     "FrmMain.ID_MEN_RECENT", "FrmMain.ID_MEN_EXIT"},
    {"FrmMain.ID_MEN_SHOWDETAILS", "FrmMain.ID_MEN_SEARCH", "FrmMain.ID_MEN_EXPORTRESULT", "FrmMain.ID_MEN_EXPORTLDIF",
     "FrmMain.ID_MEN_COPY", "FrmMain.ID_MEN_BASEDNS"},
    {"FrmMain.ID_MEN_DETAILS", "FrmMain.ID_MEN_LANGUAGE", "FrmMain.ID_MEN_CONNECTION"},
    {"FrmMain.ID_MEN_HELP", "FrmMain.ID_MEN_LICENSE", "FrmMain.ID_MEN_README", "FrmMain.ID_MEN_CHECKUPDATE",
     "FrmMain.ID_MEN_INFO"},
    {"FrmMain.ID_MEN_CLEAR", "FrmMain.ID_MEN_DEACTIVATE"},
    {"FrmDetails.ID_MEN_DLGFILE", "FrmDetails.ID_MEN_DLGEDIT"},
};

std::string Lookup(TextCatalog& catalog, const std::string& key)
{
    const char* english = EnglishDefault(key.c_str());
    return english == nullptr ? key : catalog.LookupText(key.c_str(), english);
}

std::string PathOf(const std::string& language)
{
    return language.empty() ? std::string() : kFolder + "LangLDAP_" + language + ".ini";
}

}  // namespace

TEST(ShippedMenus, EveryLabelHasAMnemonicOfItsOwnInEveryLanguage)
{
    for (const std::string language : kLanguages) {
        TextCatalog catalog(PathOf(language));
        for (const std::vector<std::string>& menu : kMenus) {
            std::vector<std::string> labels;
            for (const std::string& key : menu) {
                const std::string text = Lookup(catalog, key);
                labels.push_back(text.substr(0, text.find('\t')));
            }
            const std::vector<std::size_t> chosen = ChooseMnemonics(labels);
            std::set<std::string> letters;
            for (std::size_t i = 0; i < labels.size(); ++i) {
                SCOPED_TRACE(language + ": " + labels[i]);
                ASSERT_LT(chosen[i], labels[i].size());
                // compared as the label shows it, marked, so that a case pair counts as one letter
                std::string text, shortcut;
                SplitMenuLabel(MarkMnemonic(labels[i], chosen[i], ""), text, shortcut);
                EXPECT_EQ(text, labels[i]);
                std::string letter = labels[i].substr(chosen[i], 2);
                if (static_cast<unsigned char>(letter[0]) < 0x80) {
                    letter = std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(letter[0]))));
                }
                EXPECT_TRUE(letters.insert(letter).second) << "letter used twice: " << letter;
            }
        }
    }
}

TEST(ShippedMenus, EveryTranslatedShortcutStandsInTheShortcutColumn)
{
    for (const std::string language : kLanguages) {
        TextCatalog catalog(PathOf(language));
        for (const std::span<const TextKey> table : {MainWindowKeys(), DetailsWindowKeys()}) {
            for (const TextKey& row : table) {
                const std::string text = catalog.Text(row);
                const std::size_t tab = text.find('\t');
                if (tab == std::string::npos) {
                    continue;
                }
                SCOPED_TRACE(language + ": " + text);
                const std::string shortcut = ToolkitShortcut(text.substr(tab + 1));
                EXPECT_TRUE(IsToolkitShortcut(shortcut));
                EXPECT_EQ(ToolkitMenuLabel(text), text.substr(0, tab) + "\t" + shortcut);
            }
        }
    }
}

TEST(MenuMnemonics, PrefersWordStartsAndFallsBackInsideWordsThenToOtherCharacters)
{
    const std::vector<std::string> labels = {"Save", "Save as...", "save all", "Sss", "?", "", "\xCE\x91\xCE\xB1"};
    const std::vector<std::size_t> expected = {0, 5, 2, std::string::npos, 0, std::string::npos, 0};
    EXPECT_EQ(ChooseMnemonics(labels), expected);
    EXPECT_EQ(MarkMnemonic("R&D", 2, "\tCtrl+R"), "R&&&D\tCtrl+R");
}
