// collation_test.cpp - sort keys order texts as the user's locale compares them, whatever that
// locale is, and bytes that are no UTF-8 sort as the characters they are shown as.
#include "platform/collation.h"

#include <gtest/gtest.h>

#include <locale>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/text_codec.h"

namespace {

int Sign(int order)
{
    return (order > 0) - (order < 0);
}

/// The locale's own comparison of the characters the bytes are shown as.
int LocaleOrder(const std::string& a, const std::string& b)
{
    std::locale locale = std::locale::classic();
    try {
        locale = std::locale("");
    } catch (const std::runtime_error&) {
    }
    const auto& collate = std::use_facet<std::collate<wchar_t>>(locale);
    const std::wstring left = DecodeBytes(a);
    const std::wstring right = DecodeBytes(b);
    return collate.compare(left.data(), left.data() + left.size(), right.data(), right.data() + right.size());
}

TEST(CollationKey, KeysCompareAsTheLocaleComparesTheShownTexts)
{
    // ASCII, letters in both cases, UTF-8 and a Latin-1 byte that shows as the same "é".
    const std::vector<std::string> texts = {
        "", "a", "B", "b", "Ab", "a b", "z", "\xC3\xA9", "\xE9", "\xC3\xBC", "e", "\xE9t\xE9", "\xC3\xA9t\xC3\xA9",
    };
    auto key = [](const std::string& text) {
        return CollationKey(text).value_or(text);
    };
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            EXPECT_EQ(Sign(key(a).compare(key(b))), Sign(LocaleOrder(a, b))) << a << " vs " << b;
        }
    }
}

}  // namespace
