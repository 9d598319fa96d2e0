// english_file.h - the English language file: every key of the main window, the detail-fields
// dialog and the details window with its English default, as a starting point for translators.
#pragma once

#include <string>

/// The English language file's name in the program folder.
inline constexpr const char* kEnglishFileName = "LangLDAP_English.ini";

/// Writes the English language file at path anew (an existing one is deleted first): the header
/// "[LDAP_CLDAPDlg - <version>]", one key="default" line per main-window key in table order, then
/// "\r\n[LDAP_COptionDetailsDlg]" with the detail-fields keys and "\r\n[FLDAP_CDetailsDialog]"
/// with the details-window keys, then "\r\n[LDAP_CConnectionDlg]" and "\r\n[LDAP_CPasswordDlg]"
/// with the keys of the bind name and password dialogs. Each line is appended as a line of its own (a LF becomes CR LF,
/// so the two dialog headers follow a CR CR LF). The language dialog's keys are not written.
/// False when any line could not be written.
bool WriteEnglishFile(const std::string& path);
