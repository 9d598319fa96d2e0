// ldif_reader.cpp - ReadLdif: unfolding, comments, records, base64.
#include "ldif_reader.h"

#include <cstdint>

namespace {

std::optional<std::string> FromBase64(std::string_view text)
{
    std::string bytes;
    uint32_t bits = 0;
    int count = 0;
    std::size_t padding = 0;
    for (const char c : text) {
        int digit = -1;
        if (c >= 'A' && c <= 'Z') {
            digit = c - 'A';
        } else if (c >= 'a' && c <= 'z') {
            digit = c - 'a' + 26;
        } else if (c >= '0' && c <= '9') {
            digit = c - '0' + 52;
        } else if (c == '+') {
            digit = 62;
        } else if (c == '/') {
            digit = 63;
        } else if (c == '=') {
            ++padding;
            continue;
        }
        if (digit < 0 || padding > 0) {
            return std::nullopt;
        }
        bits = bits << 6 | static_cast<uint32_t>(digit);
        if (++count == 4) {
            bytes +=
                {static_cast<char>(bits >> 16), static_cast<char>(bits >> 8 & 0xff), static_cast<char>(bits & 0xff)};
            bits = 0;
            count = 0;
        }
    }
    if ((count + padding) % 4 != 0 || count == 1) {
        return std::nullopt;
    }
    if (count == 2) {
        bytes += static_cast<char>(bits >> 4);
    } else if (count == 3) {
        bytes += {static_cast<char>(bits >> 10), static_cast<char>(bits >> 2 & 0xff)};
    }
    return bytes;
}

/// The logical lines of text: folded lines joined, comment lines left out, blank lines kept as "".
std::vector<std::string> LogicalLines(std::string_view text)
{
    std::vector<std::string> lines;
    bool inComment = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.front() == ' ') {
            if (!inComment && !lines.empty()) {
                lines.back().append(line.substr(1));
            }
            continue;
        }
        inComment = !line.empty() && line.front() == '#';
        if (!inComment) {
            lines.emplace_back(line);
        }
    }
    return lines;
}

}  // namespace

std::optional<std::vector<LdifRecord>> ReadLdif(std::string_view text)
{
    std::vector<LdifRecord> records;
    bool inRecord = false;
    bool versionSeen = false;
    for (const std::string& line : LogicalLines(text)) {
        if (line.empty()) {
            inRecord = false;
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0) {
            return std::nullopt;
        }
        const std::string name = line.substr(0, colon);
        std::string value;
        if (colon + 1 < line.size() && line[colon + 1] == ':') {
            std::size_t at = colon + 2;
            while (at < line.size() && line[at] == ' ') {
                ++at;
            }
            std::optional<std::string> decoded = FromBase64(std::string_view(line).substr(at));
            if (!decoded) {
                return std::nullopt;
            }
            value = std::move(*decoded);
        } else {
            std::size_t at = colon + 1;
            while (at < line.size() && line[at] == ' ') {
                ++at;
            }
            value = line.substr(at);
        }
        if (!versionSeen) {
            if (name != "version" || value != "1") {
                return std::nullopt;
            }
            versionSeen = true;
            continue;
        }
        if (!inRecord) {
            if (name != "dn") {
                return std::nullopt;
            }
            records.push_back(LdifRecord{std::move(value), {}});
            inRecord = true;
            continue;
        }
        records.back().values.emplace_back(name, std::move(value));
    }
    if (!versionSeen) {
        return std::nullopt;
    }
    return records;
}
