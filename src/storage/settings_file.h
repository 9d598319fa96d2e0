// settings_file.h - the engine every stored settings file goes through (XML form and plain form).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/**
 * A settings file held in memory as one string of entries, between a header and a footer.
 * Values are found by a case-sensitive substring search for the key's opening marker (first
 * occurrence wins) and end at the key's closing marker; nothing is escaped. Lists are repeated
 * entries walked with GetString then GetNext, which share one cursor for all keys.
 *   XML form:   header "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<Root>\r\n",
 *               entries "  <key>value</key>\r\n", footer "</Root>\r\n".
 *   plain form: entries "key=\"value\"\r\n", no header or footer.
 */
class SettingsFile {
public:
    explicit SettingsFile(bool xmlForm);

    /// Reads the file; in the XML form its root element and the matching closing tag must be
    /// found. On failure the content is unchanged (a malformed declaration resets the root name).
    bool Load(const std::string& path);
    /// Writes header + content + footer, replacing the file only when everything was written.
    bool Save(const std::string& path) const;
    void Clear();
    /// XML form: the root element's name used by the header and footer.
    void SetRootName(const std::string& name);

    std::string GetString(const std::string& key, const std::string& defaultValue);
    /// The value GetString gives, without moving the cursor: a lookup in a file only read.
    std::string Find(const std::string& key, const std::string& defaultValue) const;
    int32_t GetInt(const std::string& key, int32_t defaultValue);
    bool GetBool(const std::string& key, bool defaultValue);
    /// The next value of key after the cursor, or "".
    std::string GetNext(const std::string& key);

    void Set(const std::string& key, const std::string& value);
    void SetInt(const std::string& key, int32_t value);
    void SetBool(const std::string& key, bool value);

    bool IsXmlForm() const { return m_xmlForm; }
    const std::string& RootName() const { return m_rootName; }
    const std::string& Header() const { return m_header; }
    const std::string& Footer() const { return m_footer; }
    const std::string& Content() const { return m_content; }
    /// Position in Content() just after the last value found (where GetNext searches from).
    std::size_t Cursor() const { return m_cursor; }

private:
    bool Lookup(const std::string& key, std::size_t start, std::string& value);
    /// The value of key's first entry at or after start and the position just after it; npos
    /// when there is none.
    std::size_t Locate(const std::string& key, std::size_t start, std::string& value) const;

    bool m_xmlForm;
    std::string m_rootName;
    std::string m_header;
    std::string m_footer;
    std::string m_content;
    std::size_t m_cursor = 0;
};
