// shell_target.h - what the desktop's opener is handed for a document or an address.
#pragma once

#include <string>

/// The opener's argument for target: an address with a scheme ("http://...", "mailto:...") and an existing
/// file stay as they are; a web address in host form ("corvane.example.org", "www.example.org/pages") becomes
/// an http address, as a desktop shell takes it; anything else (a path) stays as it is.
std::string OpenerArgument(const std::string& target);

/// True for an address with a scheme ("http://...", "mailto:..."), which is no file to look for.
bool IsAddress(const std::string& target);
