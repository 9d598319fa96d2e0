// text_catalog.h - one language file loaded once, answering every key with its English fallback.
#pragma once

#include <cstddef>
#include <string>

#include "localisation/text_keys.h"
#include "storage/settings_file.h"

/**
 * The texts of one language file (plain form), loaded once per apply. A key's text is the file's
 * first text for it; a missing key, an empty text, or a missing or unreadable file gives the
 * English default. While English lines are written, every lookup also appends the key's line
 * with its English default (not the text found) to the English language file.
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
    std::string LookupText(const char* key, const char* englishDefault);
    /// The text of a key table's row.
    std::string Text(const TextKey& row) { return LookupText(row.key, row.englishDefault); }

    /// From now on each lookup appends key="English default" as a line of path.
    void WriteEnglishLinesTo(const std::string& path);
    /// True when every English line asked for so far reached its file.
    bool EnglishLinesWritten() const { return m_englishLinesWritten; }

private:
    SettingsFile m_file{false};
    std::string m_englishPath;
    bool m_englishLinesWritten = true;
};
