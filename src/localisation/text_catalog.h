// text_catalog.h - one language file loaded once, answering every key with its English fallback.
#pragma once

#include <cstddef>
#include <string>

#include "localisation/text_keys.h"
#include "storage/settings_file.h"

/**
 * The texts of one language file (plain form), read once per change of language and then only
 * looked up. A key's text is the file's first text for it; a missing key, an empty text, or a
 * missing or unreadable file gives the English default.
 */
class TextCatalog {
public:
    /// The longest text a lookup gives, in bytes: what the windows' 1024-byte fields hold.
    static constexpr std::size_t kLongestText = 1023;

    /// Every key answers with its English default.
    TextCatalog();
    /// Loads path when it names an existing file; otherwise every key gets its default.
    explicit TextCatalog(const std::string& path);

    /// The text of key, or englishDefault when the file lacks it or holds it empty; cut to
    /// kLongestText bytes (never inside a character).
    std::string LookupText(const char* key, const char* englishDefault) const;
    /// The text of a key table's row.
    std::string Text(const TextKey& row) const { return LookupText(row.key, row.englishDefault); }

private:
    SettingsFile m_file{false};
};
