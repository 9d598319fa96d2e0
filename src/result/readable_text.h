// readable_text.h - UTF-8 as the program's outputs hold it: whether bytes are well-formed UTF-8,
// and the readable form of a distinguished name or attribute name a server sent in other bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// The length of the well-formed UTF-8 character that starts at bytes[at] (1 to 4) with value set
/// to its code point, or 0 when the bytes there are no such character (see Utf8CharacterLength).
/// at must be below bytes.size().
std::size_t Utf8Character(std::string_view bytes, std::size_t at, char32_t& value);
/// The length of the well-formed UTF-8 character that starts at bytes[at] (1 to 4), or 0 when the
/// bytes there are no such character (a stray or cut sequence, an overlong form, a surrogate or a
/// code point past U+10FFFF). at must be below bytes.size().
std::size_t Utf8CharacterLength(std::string_view bytes, std::size_t at);

/// True when bytes are well-formed UTF-8 throughout.
bool IsUtf8(std::string_view bytes);

/// bytes as every output shows a name or a distinguished name: their own bytes when they are
/// UTF-8; otherwise each byte that is no part of a well-formed character written as "\XX" (two
/// upper-case hexadecimal digits), as a distinguished name's string form escapes a byte, so a
/// shown DN still names its entry. The result is always UTF-8.
std::string ReadableText(std::string_view bytes);
/// Appends ReadableText(bytes) to text.
void AppendReadable(std::string& text, std::string_view bytes);
