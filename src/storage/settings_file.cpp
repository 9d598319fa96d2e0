// settings_file.cpp - the settings file engine: load, substring lookups with the shared cursor,
// appending entries and the replacing save.
#include "storage/settings_file.h"

#include "storage/decimal_text.h"
#include "storage/file_utils.h"

namespace {

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
const char* const kDefaultRootName = "InitFile";

}  // namespace

SettingsFile::SettingsFile(bool xmlForm) : m_xmlForm(xmlForm), m_rootName(kDefaultRootName)
{
    if (m_xmlForm) {
        SetRootName(kDefaultRootName);
    }
}

bool SettingsFile::Load(const std::string& path)
{
    std::string text;
    if (!ReadWholeFile(path, text) || text.empty()) {
        return false;
    }
    // The text ends at the first zero byte, as when the file is read as a C string.
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos) {
        text.resize(zero);
    }
    if (!m_xmlForm) {
        m_content = std::move(text);
        return true;
    }

    const std::size_t declarationEnd = text.find("?>");
    const std::size_t open = declarationEnd == std::string::npos ? std::string::npos : text.find('<', declarationEnd);
    const std::size_t close = open == std::string::npos ? std::string::npos : text.find('>', open);
    if (close == std::string::npos) {
        SetRootName(kDefaultRootName);
        return false;
    }
    SetRootName(text.substr(open + 1, close - open - 1));

    std::size_t start = close + 1;
    if (start < text.size() && text[start] == '\r') {
        ++start;
    }
    if (start < text.size() && text[start] == '\n') {
        ++start;
    }
    const std::size_t end = text.find("</" + m_rootName + ">", start);
    if (end == std::string::npos) {
        return false;
    }
    m_content = text.substr(start, end - start);
    return true;
}

bool SettingsFile::Save(const std::string& path) const
{
    std::string bytes;
    bytes.reserve(m_header.size() + m_content.size() + m_footer.size());
    bytes += m_header;
    bytes += m_content;
    bytes += m_footer;
    return WriteFileReplacing(path, bytes);
}

void SettingsFile::Clear()
{
    m_content.clear();
    m_cursor = 0;
}

void SettingsFile::SetRootName(const std::string& name)
{
    if (!m_xmlForm) {
        return;
    }
    m_rootName = name;
    m_header = std::string(kDeclaration) + "\r\n<" + name + ">\r\n";
    m_footer = "</" + name + ">\r\n";
}

bool SettingsFile::Lookup(const std::string& key, std::size_t start, std::string& value)
{
    const std::size_t end = Locate(key, start, value);
    if (end == std::string::npos) {
        return false;
    }
    m_cursor = end;
    return true;
}

std::size_t SettingsFile::Locate(const std::string& key, std::size_t start, std::string& value) const
{
    const std::string openMarker = m_xmlForm ? "<" + key + ">" : key + "=\"";
    const std::string closeMarker = m_xmlForm ? "</" + key + ">" : "\"";
    value.clear();
    const std::size_t open = m_content.find(openMarker, start);
    if (open == std::string::npos) {
        return std::string::npos;
    }
    const std::size_t valueStart = open + openMarker.size();
    const std::size_t close = m_content.find(closeMarker, valueStart);
    if (close == std::string::npos) {
        return std::string::npos;
    }
    value = m_content.substr(valueStart, close - valueStart);
    return close + closeMarker.size();
}

std::string SettingsFile::GetString(const std::string& key, const std::string& defaultValue)
{
    std::string value;
    if (!Lookup(key, 0, value) || value.empty()) {
        return defaultValue;
    }
    return value;
}

std::string SettingsFile::Find(const std::string& key, const std::string& defaultValue) const
{
    std::string value;
    return Locate(key, 0, value) != std::string::npos && !value.empty() ? value : defaultValue;
}

int32_t SettingsFile::GetInt(const std::string& key, int32_t defaultValue)
{
    std::string value;
    if (!Lookup(key, 0, value) || value.empty()) {
        return defaultValue;
    }
    return ParseDecimal(value);
}

bool SettingsFile::GetBool(const std::string& key, bool defaultValue)
{
    std::string value;
    if (!Lookup(key, 0, value) || value.empty()) {
        return defaultValue;
    }
    return ParseDecimal(value) == 1;
}

std::string SettingsFile::GetNext(const std::string& key)
{
    std::string value;
    Lookup(key, m_cursor, value);
    return value;
}

void SettingsFile::Set(const std::string& key, const std::string& value)
{
    if (m_xmlForm) {
        m_content += "  <" + key + ">" + value + "</" + key + ">\r\n";
    } else {
        m_content += key + "=\"" + value + "\"\r\n";
    }
}

void SettingsFile::SetInt(const std::string& key, int32_t value)
{
    Set(key, std::to_string(value));
}

void SettingsFile::SetBool(const std::string& key, bool value)
{
    Set(key, value ? "1" : "0");
}
