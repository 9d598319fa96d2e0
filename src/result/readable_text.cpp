// readable_text.cpp - UTF-8 checks and the "\XX" form of bytes that are not UTF-8.
#include "result/readable_text.h"

#include <cstdint>

std::size_t Utf8CharacterLength(std::string_view bytes, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    uint32_t value = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        value = lead & 0x1f;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        value = lead & 0x0f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xc0) != 0x80) {
            return 0;
        }
        value = value << 6 | (next & 0x3f);
    }
    if ((length == 3 && value < 0x800) || (length == 4 && (value < 0x10000 || value > 0x10ffff)) ||
        (value >= 0xd800 && value <= 0xdfff)) {
        return 0;
    }
    return length;
}

bool IsUtf8(std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8CharacterLength(bytes, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

void AppendReadable(std::string& text, std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = Utf8CharacterLength(bytes, at);
        if (length != 0) {
            text.append(bytes, at, length);
            at += length;
            continue;
        }
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        text += {'\\', kHex[byte >> 4], kHex[byte & 15]};
    }
}

std::string ReadableText(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    AppendReadable(text, bytes);
    return text;
}
