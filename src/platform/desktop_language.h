// desktop_language.h - the desktop's language setting for messages.
#pragma once

#include <string>

/// The locale the desktop shows messages in: the first non-empty of LC_ALL, LC_MESSAGES and LANG
/// (e.g. "fr_FR.UTF-8"); "" when none is set.
std::string DesktopLanguage();
