// text_codec.cpp - UTF-8 decoding with a fallback per byte to the system's 8-bit code page, encoding and byte-limited
// cuts.
#include "platform/text_codec.h"

#include <type_traits>

#include "platform/ansi_code_page.h"

namespace {

/// Length of the well-formed UTF-8 sequence starting at pos, 0 when there is none.
std::size_t SequenceLength(std::string_view bytes, std::size_t pos, char32_t& value)
{
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>(bytes[i]);
    };
    const unsigned char lead = byte(pos);
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
    if (pos + length > bytes.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
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

}  // namespace

std::wstring DecodeBytes(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        char32_t value = 0;
        const std::size_t length = SequenceLength(bytes, pos, value);
        if (length == 0) {
            text.push_back(AnsiCharacter(static_cast<unsigned char>(bytes[pos])));
            ++pos;
        } else {
            if (sizeof(wchar_t) == 2 && value >= 0x10000) {
                // a 16-bit wchar_t (Windows) holds it as a surrogate pair
                text.push_back(static_cast<wchar_t>(0xD800 + ((value - 0x10000) >> 10)));
                text.push_back(static_cast<wchar_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
            } else {
                text.push_back(static_cast<wchar_t>(value));
            }
            pos += length;
        }
    }
    return text;
}

std::string EncodeText(std::wstring_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto value = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
        // a 16-bit wchar_t (Windows) holds characters beyond U+FFFF as surrogate pairs
        if (sizeof(wchar_t) == 2 && value >= 0xD800 && value <= 0xDBFF && i + 1 < text.size()) {
            const auto low = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i + 1]));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                value = 0x10000 + ((value - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (value < 0x80) {
            bytes.push_back(static_cast<char>(value));
        } else if (value < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (value >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (value & 0x3F)));
        } else if (value >= 0xD800 && value <= 0xDFFF) {
            bytes.push_back('?');
        } else if (value < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (value >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (value & 0x3F)));
        } else if (value <= 0x10FFFF) {
            bytes.push_back(static_cast<char>(0xF0 | (value >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (value & 0x3F)));
        } else {
            bytes.push_back('?');
        }
    }
    return bytes;
}

std::string AsUtf8(std::string_view bytes)
{
    return EncodeText(DecodeBytes(bytes));
}

std::string CutToBytes(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit) {
        return text;
    }
    // walk whole sequences (a stray byte counts as one) and stop before the one that crosses
    std::size_t end = 0;
    while (end < text.size()) {
        char32_t value = 0;
        std::size_t length = SequenceLength(text, end, value);
        if (length == 0) {
            length = 1;
        }
        if (end + length > limit) {
            break;
        }
        end += length;
    }
    return text.substr(0, end);
}

std::string DoubleAmpersands(std::string_view text)
{
    std::string doubled;
    doubled.reserve(text.size() + 4);
    for (const char ch : text) {
        doubled.push_back(ch);
        if (ch == '&') {
            doubled.push_back('&');
        }
    }
    return doubled;
}
