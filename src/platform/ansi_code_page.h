// ansi_code_page.h - the system's 8-bit code page, in which bytes that are no UTF-8 are read (a
// file written by a program of the system's own code page, say).
#pragma once

/// The character byte stands for in that code page.
wchar_t AnsiCharacter(unsigned char byte);
