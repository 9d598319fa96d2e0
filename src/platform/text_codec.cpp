// text_codec.cpp - UTF-8 decoding with a fallback per byte to the system's 8-bit code page, encoding and byte-limited
// cuts.
#include "platform/text_codec.h"

#include <type_traits>

#include "platform/ansi_code_page.h"
#include "result/readable_text.h"

std::wstring DecodeBytes(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        char32_t value = 0;
        const std::size_t length = Utf8Character(bytes, pos, value);
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
        std::size_t length = Utf8Character(text, end, value);
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
