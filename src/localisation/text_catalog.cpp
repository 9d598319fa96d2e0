// text_catalog.cpp - TextCatalog: the file loaded once, lookups with the English fallback, and the
// English-file lines.
#include "localisation/text_catalog.h"

#include "storage/file_utils.h"

TextCatalog::TextCatalog() = default;

TextCatalog::TextCatalog(const std::string& path)
{
    if (FileExists(path))
        m_file.Load(path);  // a file that fails to load leaves every key on its default
}

std::string TextCatalog::LookupText(const char* key, const char* englishDefault)
{
    if (!m_englishPath.empty()) {
        // the default as it is, TAB included; nothing is escaped
        if (!AppendLine(m_englishPath, std::string(key) + "=\"" + englishDefault + "\""))
            m_englishLinesWritten = false;
    }
    return m_file.GetString(key, englishDefault);
}

void TextCatalog::WriteEnglishLinesTo(const std::string& path)
{
    m_englishPath = path;
}
