// shipped_languages_test.cpp - the language files shipped beside the program: the catalogue lists
// them, and each translates every key the program looks up, keeping what the program relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>

#include "localisation/language_catalog.h"
#include "localisation/text_keys.h"
#include "storage/file_utils.h"
#include "storage/settings_file.h"

namespace {

const std::string kFolder = std::string(CORVANE_SOURCE_DIR) + "/resources/languages/";

/// What a translation must keep of its English default: the shortcut part after a TAB, the number
/// of "%s" placeholders, and a file-dialog filter's "|pattern||" end.
struct Shape {
    bool hasShortcut;
    std::size_t placeholders;
    std::string filterEnd;

    bool operator==(const Shape&) const = default;
};

Shape ShapeOf(const std::string& text)
{
    Shape shape{text.find('\t') != std::string::npos, 0, std::string()};
    for (std::size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + 2))
        ++shape.placeholders;
    const std::size_t bar = text.find('|');
    if (bar != std::string::npos)
        shape.filterEnd = text.substr(bar);
    return shape;
}

TEST(ShippedLanguages, EveryListedFileTranslatesEveryKey)
{
    const LanguageCatalog catalog = ReadLanguageCatalog(kFolder + kLanguageCatalogName);
    ASSERT_TRUE(catalog.loaded);
    ASSERT_EQ(catalog.entries.size(), 5u);
    for (const LanguageEntry& entry : catalog.entries) {
        SCOPED_TRACE(entry.file);
        EXPECT_TRUE(entry.file.starts_with("LangLDAP_") && entry.file.ends_with(".ini"));
        EXPECT_TRUE(std::all_of(entry.file.begin(), entry.file.end(), [](unsigned char ch) { return ch < 128; }));
        EXPECT_FALSE(entry.locale.empty());
        ASSERT_TRUE(FileExists(kFolder + entry.file));
        SettingsFile file(false);
        ASSERT_TRUE(file.Load(kFolder + entry.file));
        for (auto table : AllKeyTables()) {
            for (const TextKey& row : table) {
                const std::string text = file.GetString(row.key, "");
                EXPECT_FALSE(text.empty()) << row.key;
                EXPECT_EQ(ShapeOf(text), ShapeOf(row.englishDefault)) << row.key << " = " << text;
                EXPECT_EQ(text.find('\n'), std::string::npos) << row.key;
            }
        }
    }
}

}  // namespace
