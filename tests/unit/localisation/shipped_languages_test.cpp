// shipped_languages_test.cpp - the language files shipped beside the program: the catalogue lists
// them, and each translates every key the program looks up, keeping what the program relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <span>
#include <string>

#include "directory/query_failure.h"
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
    for (std::size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + 2)) {
        ++shape.placeholders;
    }
    const std::size_t bar = text.find('|');
    if (bar != std::string::npos) {
        shape.filterEnd = text.substr(bar);
    }
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

/// Texts a language may share with English: the words are the same there.
bool SharedWithEnglish(const std::string& text)
{
    return text == "OK" || text == "Details" || text == "Info" || text == "Options";
}

/// The failure texts a search composes, each through its own path.
const std::function<std::string()> kFailures[] = {
    [] { return DescribeFailure(QueryStep::Open, 81, "h", 389, 10, "Connection refused"); },
    [] { return DescribeFailure(QueryStep::Secure, 81, "h", 636, 10, "handshake"); },
    [] { return DescribeFailure(QueryStep::StartTls, 2, "h", 389, 10); },
    [] { return DescribeFailure(QueryStep::Search, kTimedOutCode, "h", 389, 1); },
    [] { return DescribeFailure(QueryStep::Search, kTimedOutCode, "h", 389, 100); },
    [] { return DescribeRefusedBind(49, "", "the server's own text"); },
    [] { return DescribeRefusedBind(49, "cn=reader", "the server's own text"); },
    [] { return DescribeMissingPassword("cn=reader"); },
    [] { return DescribeBadServer("ldapx://h"); },
    [] { return DescribePortOutOfRange(70000); },
    [] { return DescribeClosedConnection(); },
    [] { return DescribeMalformedAnswer(); },
    [] { return DescribeTooLargeForMemory(); },
    [] { return DescribeAnswerOverBound(1024); },
    [] { return DescribeMixedSecurity("ldaps://a b"); },
};

TEST(ShippedLanguages, NoTextOfTheProgramsOwnStaysEnglish)
{
    const LanguageCatalog catalog = ReadLanguageCatalog(kFolder + kLanguageCatalogName);
    ASSERT_TRUE(catalog.loaded);
    std::vector<std::string> english;
    for (const auto& failure : kFailures) {
        english.push_back(failure());
    }
    for (const LanguageEntry& entry : catalog.entries) {
        SCOPED_TRACE(entry.file);
        SettingsFile file(false);
        ASSERT_TRUE(file.Load(kFolder + entry.file));
        std::map<std::string, std::string> texts;
        for (auto table : AllKeyTables()) {
            for (const TextKey& row : table) {
                const std::string text = file.GetString(row.key, "");
                texts[row.key] = text;
                if (!SharedWithEnglish(text)) {
                    EXPECT_NE(text, row.englishDefault) << row.key;
                }
            }
        }
        SetFailureTexts(texts);
        for (std::size_t i = 0; i < english.size(); ++i) {
            const std::string text = kFailures[i]();
            EXPECT_NE(text, english[i]);
            // the server's own text is put in as it came
            if (english[i].find("the server's own text") != std::string::npos) {
                EXPECT_NE(text.find("the server's own text"), std::string::npos) << text;
            }
        }
    }
    SetFailureTexts({});
}

}  // namespace
