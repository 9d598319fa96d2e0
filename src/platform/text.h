// text.h - the one conversion between the core's 8-bit text and the toolkit's wxString.
#pragma once

#include <string>
#include <string_view>

#include <wx/string.h>

/// Bytes to wxString through the locale's multibyte encoding (UTF-8 on Linux, the ANSI code page
/// on Windows); bytes that do not convert are taken as Latin-1, so nothing fails to show.
wxString ToWx(std::string_view bytes);
/// wxString to bytes in the same encoding (Latin-1 for what the encoding cannot hold).
std::string FromWx(const wxString& text);
/// For labels of menus, buttons and static texts: "&" doubled so it shows as itself.
wxString ToWxLabel(const std::string& bytes);
