// help_format.h - the help documents' file format on this platform.
#pragma once

/// Extension of the help documents, with its dot: compiled help on Windows, HTML opened in the desktop's
/// browser elsewhere. The help file's name and its fallback are the same everywhere.
#ifdef _WIN32
inline constexpr const char* kHelpFileExtension = ".chm";
#else
inline constexpr const char* kHelpFileExtension = ".html";
#endif
