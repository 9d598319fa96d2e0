// wide_text.h - text between the program's UTF-8 and the UTF-16 of the Windows wide calls
// (file names, the directory library). Windows only.
#pragma once

#include <string>
#include <string_view>

/// The UTF-16 form of UTF-8 text.
std::wstring WideText(std::string_view text);
/// The UTF-8 form of UTF-16 text.
std::string Utf8Text(std::wstring_view wide);
/// The UTF-8 form of a NUL-ended UTF-16 text; "" for none.
inline std::string Utf8Text(const wchar_t* wide)
{
    return wide == nullptr ? std::string() : Utf8Text(std::wstring_view(wide));
}
