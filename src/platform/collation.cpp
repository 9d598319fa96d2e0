// collation.cpp - CollationKey over the standard library's collation of the user's locale.
#include "platform/collation.h"

#include <algorithm>
#include <cstdint>
#include <locale>
#include <stdexcept>

#include "platform/text_codec.h"

namespace {

std::locale UserLocale()
{
    try {
        return std::locale("");
    } catch (const std::runtime_error&) {
        return std::locale::classic();  // the environment names a locale that is not installed
    }
}

const std::locale& Locale()
{
    static const std::locale locale = UserLocale();
    return locale;
}

const std::collate<wchar_t>& Collation()
{
    static const auto& collate = std::use_facet<std::collate<wchar_t>>(Locale());
    return collate;
}

/// True when the locale orders texts by their characters' code points: the C locale and its
/// UTF-8 variant ("C.UTF-8" collates by code point).
bool CodePointOrder()
{
    static const bool codePoints = [] {
        const std::string name = Locale().name();
        return name == "C" || name == "POSIX" || name.starts_with("C.");
    }();
    return codePoints;
}

}  // namespace

std::optional<std::string> CollationKey(std::string_view text)
{
    // UTF-8 bytes compare in the order of their code points: the text's characters as UTF-8 are
    // their key in a code-point locale, the text itself when it is well-formed UTF-8 already.
    if (CodePointOrder()) {
        if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            return std::nullopt;
        }
        std::string key = AsUtf8(text);
        if (key == text) {
            return std::nullopt;
        }
        return key;
    }
    const std::wstring wide = DecodeBytes(text);
    const std::wstring transformed = Collation().transform(wide.data(), wide.data() + wide.size());
    // Each character of the transformed text as four bytes, most significant first, so that the
    // bytes compare as the characters do.
    std::string key;
    key.reserve(transformed.size() * 4);
    for (const wchar_t c : transformed) {
        const auto value = static_cast<uint32_t>(c);
        for (int shift = 24; shift >= 0; shift -= 8) {
            key.push_back(static_cast<char>((value >> shift) & 0xFF));
        }
    }
    return key;
}
