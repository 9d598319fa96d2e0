// english_file.cpp - WriteEnglishFile: the headers and every key table's lines with their English
// defaults.
#include "localisation/english_file.h"

#include <span>

#include "localisation/text_keys.h"
#include "storage/file_utils.h"

bool WriteEnglishFile(const std::string& path)
{
    RemoveFile(path, false);  // rewritten, never appended to; a missing file is no error
    bool written = AppendLine(path, std::string("[LDAP_CLDAPDlg - ") + kVersionText + "]");

    // each key's line with its English default as it is, TAB included; nothing is escaped
    const auto writeAll = [&path, &written](std::span<const TextKey> table) {
        for (const TextKey& row : table) {
            written = AppendLine(path, std::string(row.key) + "=\"" + row.englishDefault + "\"") && written;
        }
    };
    writeAll(MainWindowKeys());
    written = AppendLine(path, "\r\n[LDAP_COptionDetailsDlg]") && written;
    writeAll(DetailFieldsKeys());
    written = AppendLine(path, "\r\n[FLDAP_CDetailsDialog]") && written;
    writeAll(DetailsWindowKeys());
    written = AppendLine(path, "\r\n[LDAP_CConnectionDlg]") && written;
    writeAll(ConnectionDialogKeys());
    written = AppendLine(path, "\r\n[LDAP_CPasswordDlg]") && written;
    writeAll(PasswordDialogKeys());
    return written;
}
