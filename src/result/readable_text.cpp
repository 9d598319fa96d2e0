// readable_text.cpp - UTF-8 checks and the "\XX" form of bytes that are not UTF-8.
#include "result/readable_text.h"

#include <cstdint>

std::size_t Utf8Character(std::string_view bytes, std::size_t at, char32_t& value)
{
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>(bytes[i]);
    };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        value = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(at + i);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (next & 0x3F);
    }
    // overlong forms, surrogates and values beyond Unicode are not well-formed
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    return length;
}

std::size_t Utf8CharacterLength(std::string_view bytes, std::size_t at)
{
    char32_t value = 0;
    return Utf8Character(bytes, at, value);
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
