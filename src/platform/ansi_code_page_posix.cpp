// ansi_code_page_posix.cpp - on Linux the 8-bit code page is Latin-1: a byte is the character of
// the same value.
#include "platform/ansi_code_page.h"

wchar_t AnsiCharacter(unsigned char byte)
{
    return static_cast<wchar_t>(byte);
}
