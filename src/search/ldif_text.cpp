// ldif_text.cpp - the LDIF writer: safe values, base64 and line folding.
#include "search/ldif_text.h"

#include <algorithm>

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

void AppendValue(std::string& text, const std::string& name, std::string_view value)
{
    if (value.empty()) {
        AppendFolded(text, name + ":");
    } else if (IsSafeLdifValue(value)) {
        AppendFolded(text, name + ": " + std::string(value));
    } else {
        AppendFolded(text, name + ":: " + Base64(value));
    }
}

/// The text the directory engine puts in place of a value that holds a NUL byte: "<binary, ",
/// the count in decimal digits, " bytes>". Only that exact form, so a server's value that merely
/// looks alike (a line break or any byte in place of the count) is written as a value, never as a
/// comment whose line it could end.
bool IsBinaryPlaceholder(std::string_view value)
{
    constexpr std::string_view kStart = "<binary, ";
    constexpr std::string_view kEnd = " bytes>";
    if (value.size() <= kStart.size() + kEnd.size() || !value.starts_with(kStart) || !value.ends_with(kEnd)) {
        return false;
    }
    const std::string_view count = value.substr(kStart.size(), value.size() - kStart.size() - kEnd.size());
    return std::all_of(count.begin(), count.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

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
        AppendValue(text, "dn", entry.dn);
        for (const LdifEntry::Attribute& attribute : entry.attributes) {
            for (const std::string& value : attribute.values) {
                if (IsBinaryPlaceholder(value)) {
                    // Comment lines hold any text, so the placeholder needs no encoding.
                    AppendFolded(text, "# " + attribute.name + ": " + value);
                } else {
                    AppendValue(text, attribute.name, value);
                }
            }
        }
        text.push_back('\n');
    }
    return text;
}
