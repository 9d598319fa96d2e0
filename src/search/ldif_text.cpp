// ldif_text.cpp - the LDIF writer: safe values, base64 and line folding.
#include "search/ldif_text.h"

#include <algorithm>

#include "result/binary_value.h"

namespace {

constexpr std::size_t kLineLimit = 76;

std::string Base64(std::string_view bytes)
{
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t at = 0;
    for (; at + 3 <= bytes.size(); at += 3) {
        const unsigned n = static_cast<unsigned char>(bytes[at]) << 16 |
                           static_cast<unsigned char>(bytes[at + 1]) << 8 | static_cast<unsigned char>(bytes[at + 2]);
        text += {kDigits[n >> 18], kDigits[(n >> 12) & 63], kDigits[(n >> 6) & 63], kDigits[n & 63]};
    }
    const std::size_t left = bytes.size() - at;
    if (left > 0) {
        unsigned n = static_cast<unsigned char>(bytes[at]) << 16;
        if (left == 2) {
            n |= static_cast<unsigned char>(bytes[at + 1]) << 8;
        }
        text += {kDigits[n >> 18], kDigits[(n >> 12) & 63], left == 2 ? kDigits[(n >> 6) & 63] : '=', '='};
    }
    return text;
}

/// Appends line folded at the limit: each continued piece starts with one blank. A line is cut
/// between bytes, which LDIF allows, since the pieces are joined again before they are read.
void AppendFolded(std::string& text, const std::string& line)
{
    std::size_t at = 0;
    std::size_t room = kLineLimit;
    while (line.size() - at > room) {
        text.append(line, at, room);
        text.append("\n ");
        at += room;
        room = kLineLimit - 1;
    }
    text.append(line, at, std::string::npos);
    text.push_back('\n');
}

/// Appends "name: value", or "name:: " and the value in base64 when it is binary or no safe text.
void AppendValue(std::string& text, const std::string& name, std::string_view value, bool binary)
{
    if (value.empty()) {
        AppendFolded(text, name + ":");
    } else if (!binary && IsSafeLdifValue(value)) {
        AppendFolded(text, name + ": " + std::string(value));
    } else {
        AppendFolded(text, name + ":: " + Base64(value));
    }
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsNameCharacter(char c)
{
    return IsLetter(c) || IsDigit(c) || c == '-' || c == '_';
}

/// A numeric OID: numbers joined by single dots.
bool IsNumericOid(std::string_view text)
{
    bool digitBefore = false;
    for (const char c : text) {
        if (c == '.' && digitBefore) {
            digitBefore = false;
        } else if (IsDigit(c)) {
            digitBefore = true;
        } else {
            return false;
        }
    }
    return digitBefore;
}

/// The comment written for an attribute LDIF cannot name: the name in printable ASCII.
std::string LeftOutComment(std::string_view name, std::size_t values)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line = "# left out, its name is no LDIF attribute name: ";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7f) {
            line.push_back(c);
        } else {
            line += {'\\', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return line + " (" + std::to_string(values) + (values == 1 ? " value)" : " values)");
}

}  // namespace

bool IsLdifAttributeName(std::string_view name)
{
    const std::string_view type = name.substr(0, name.find(';'));
    if (type.empty() ||
        !(IsNumericOid(type) || (IsLetter(type.front()) && std::all_of(type.begin(), type.end(), IsNameCharacter)))) {
        return false;
    }
    for (std::size_t at = type.size(); at < name.size();) {
        const std::size_t end = std::min(name.find(';', at + 1), name.size());
        const std::string_view option = name.substr(at + 1, end - at - 1);
        if (option.empty() || !std::all_of(option.begin(), option.end(), IsNameCharacter)) {
            return false;
        }
        at = end;
    }
    return true;
}

bool IsSafeLdifValue(std::string_view value)
{
    if (value.empty()) {
        return true;
    }
    if (value.front() == ' ' || value.front() == ':' || value.front() == '<' || value.back() == ' ') {
        return false;
    }
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0 || byte == '\r' || byte == '\n' || byte >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string LdifText(const std::vector<LdifEntry>& entries)
{
    std::string text = "version: 1\n\n";
    for (const LdifEntry& entry : entries) {
        AppendValue(text, "dn", entry.dn, false);
        for (const LdifEntry::Attribute& attribute : entry.attributes) {
            if (!IsLdifAttributeName(attribute.name)) {
                AppendFolded(text, LeftOutComment(attribute.name, attribute.values.size()));
                continue;
            }
            const bool binary = IsBinaryAttribute(attribute.name);
            for (const std::string& value : attribute.values) {
                AppendValue(text, attribute.name, value, binary);
            }
        }
        text.push_back('\n');
    }
    return text;
}
