// help_documents.h - what the "?" menu opens: the help document of the current language, the licence and the
// change list beside the program, and the maker's update page.
#pragma once

#include <string>

/// The language part of a language file's name: the text after the last "_" before the name's first ".", up
/// to that "." ("LangLDAP_English.ini" gives "English"). "" when the name has no "." or no "_" before it.
std::string HelpLanguageName(const std::string& languageFile);

/// programFolder + "LDAP_" + the language of languageFile + extension when that file exists, otherwise
/// programFolder + "LDAP_English" + extension (which is not checked). extension is the platform's help
/// format, with its dot.
std::string HelpFilePath(const std::string& programFolder, const std::string& languageFile,
                         const std::string& extension);

/// programFolder + "LDAP_License.txt".
std::string LicenseFilePath(const std::string& programFolder);
/// programFolder + "LDAP_ReadMe.txt".
std::string ReadMeFilePath(const std::string& programFolder);

/// The maker's product page with this version in the query; the language is always "ENG".
std::string UpdateAddress();
