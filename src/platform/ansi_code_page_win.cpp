// ansi_code_page_win.cpp - on Windows the 8-bit code page is the system's ANSI code page (1252 in
// Western Europe, where 0x80 is the euro sign); a byte it does not define alone (a lead byte of a
// double-byte code page) is taken as Latin-1.
#include <windows.h>

#include "platform/ansi_code_page.h"

wchar_t AnsiCharacter(unsigned char byte)
{
    const char single = static_cast<char>(byte);
    wchar_t character = 0;
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &single, 1, &character, 1) == 1) {
        return character;
    }
    return static_cast<wchar_t>(byte);
}
