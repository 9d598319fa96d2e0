// text_catalog.cpp - TextCatalog: the file loaded once, lookups with the English fallback.
#include "localisation/text_catalog.h"

#include "storage/file_utils.h"

namespace {

/// text cut to the field bound of the windows, never inside a UTF-8 character: a language file
/// with texts of megabytes must not make every control that shows one slow and huge.
std::string CutToFieldBound(std::string text)
{
    if (text.size() <= TextCatalog::kLongestText) {
        return text;
    }
    std::size_t end = TextCatalog::kLongestText;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xc0) == 0x80) {
        --end;  // text[end] continues a character that began before it
    }
    text.resize(end);
    return text;
}

}  // namespace

TextCatalog::TextCatalog() = default;

TextCatalog::TextCatalog(const std::string& path)
{
    if (FileExists(path)) {
        m_file.Load(path);  // a file that fails to load leaves every key on its default
    }
}

std::string TextCatalog::LookupText(const char* key, const char* englishDefault) const
{
    return CutToFieldBound(m_file.Find(key, englishDefault));
}
