// page_control.cpp - PageCookieOf: a strict reader of the paged-results control's value.
#include "directory/page_control.h"

#include <cstdint>

namespace {

/// Reads one element of tag at the front of bytes: its content, the rest left in bytes.
std::optional<std::string_view> TakeElement(std::string_view& bytes, unsigned char tag)
{
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != tag) {
        return std::nullopt;
    }
    std::size_t at = 2;
    std::size_t length = static_cast<unsigned char>(bytes[1]);
    if (length & 0x80) {
        const std::size_t count = length & 0x7f;
        // Indefinite lengths are not used in this protocol; four bytes reach past any message.
        if (count == 0 || count > 4 || bytes.size() < 2 + count) {
            return std::nullopt;
        }
        length = 0;
        for (std::size_t k = 0; k < count; ++k) {
            length = length << 8 | static_cast<unsigned char>(bytes[2 + k]);
        }
        at += count;
    }
    if (length > bytes.size() - at) {
        return std::nullopt;
    }
    const std::string_view content = bytes.substr(at, length);
    bytes.remove_prefix(at + length);
    return content;
}

}  // namespace

std::optional<std::string> PageCookieOf(std::string_view value)
{
    const std::optional<std::string_view> sequence = TakeElement(value, 0x30);
    if (!sequence || !value.empty()) {
        return std::nullopt;
    }
    std::string_view fields = *sequence;
    const std::optional<std::string_view> size = TakeElement(fields, 0x02);
    if (!size || size->empty()) {
        return std::nullopt;
    }
    const std::optional<std::string_view> cookie = TakeElement(fields, 0x04);
    if (!cookie || !fields.empty()) {
        return std::nullopt;
    }
    return std::string(*cookie);
}
