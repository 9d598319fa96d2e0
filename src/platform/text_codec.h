// text_codec.h - the byte <-> character rules behind the window text conversion, without the toolkit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// Decodes the system's multibyte text (UTF-8): every well-formed sequence becomes its character,
/// every byte that does not start a well-formed sequence becomes its character in the system's
/// 8-bit code page (Latin-1 on Linux, the ANSI code page on Windows), so no byte is lost or
/// refused. Characters beyond U+FFFF are surrogate pairs where wchar_t has 16 bits (Windows).
std::wstring DecodeBytes(std::string_view bytes);
/// The bytes a field holds once it has shown bytes: well-formed UTF-8 kept, every other byte
/// taken as its code-page character and written as UTF-8 (DecodeBytes, then EncodeText).
std::string AsUtf8(std::string_view bytes);
/// Encodes characters as UTF-8; a character no encoding can hold (a surrogate or a value above
/// U+10FFFF) becomes "?".
std::string EncodeText(std::wstring_view text);
/// text cut to at most limit bytes without splitting a well-formed UTF-8 sequence (so a field
/// cut to its byte limit never ends in half a character).
std::string CutToBytes(const std::string& text, std::size_t limit);
/// text with every "&" doubled, so a label shows it instead of taking it as a mnemonic mark.
std::string DoubleAmpersands(std::string_view text);
