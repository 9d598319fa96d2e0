// window_title.h - the main window's title: the program, the current profile and whom it binds as.
#pragma once

#include <string>

/// "Corvane LDAP", followed by " - " and the profile's file name when one is current, then by the
/// bind name in brackets when one is set.
std::string WindowTitle(const std::string& profilePath, const std::string& bindUser);
