// native_path.h - file names between the program's text (UTF-8 inside) and the system's file
// functions. Linux takes the bytes as they are; Windows goes through the wide (UTF-16) calls, so
// a name such as "Müller.cvl" is created as such and not in the ANSI code page.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

/// The system's form of a path given as program text.
std::filesystem::path NativePath(const std::string& path);
/// The program's text (UTF-8) of a system path.
std::string PathText(const std::filesystem::path& path);
/// std::fopen on a path given as program text. Mode "wbx" creates the file only when it does
/// not exist yet, on every system.
std::FILE* OpenFile(const std::string& path, const char* mode);
/// Deletes a file given as program text; 0 on success, as std::remove.
int RemoveFileNamed(const std::string& path);
/// True when path names one of the system's devices rather than a file: on Windows the reserved
/// names (NUL, CON, PRN, AUX, COM1 to COM9, LPT1 to LPT9, with any extension, in any folder) and
/// "\\.\" paths, on Linux everything under /dev/ (/dev/null, /dev/stdout). Written to, never
/// replaced.
bool IsDeviceName(const std::string& path);
