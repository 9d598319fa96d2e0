// english_file.cpp - WriteEnglishFile: the headers and every key line through a TextCatalog that
// writes its English lines.
#include "localisation/english_file.h"

#include <span>

#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "storage/file_utils.h"

bool WriteEnglishFile(const std::string& path)
{
    RemoveFile(path, false);  // rewritten, never appended to; a missing file is no error
    bool written = AppendLine(path, std::string("[LDAP_CLDAPDlg - ") + kVersionText + "]");

    TextCatalog english;
    english.WriteEnglishLinesTo(path);
    const auto lookUpAll = [&english](std::span<const TextKey> table) {
        for (const TextKey& row : table)
            english.Text(row);
    };
    lookUpAll(MainWindowKeys());
    written = AppendLine(path, "\r\n[LDAP_COptionDetailsDlg]") && written;
    lookUpAll(DetailFieldsKeys());
    written = AppendLine(path, "\r\n[FLDAP_CDetailsDialog]") && written;
    lookUpAll(DetailsWindowKeys());
    written = AppendLine(path, "\r\n[LDAP_CConnectionDlg]") && written;
    lookUpAll(ConnectionDialogKeys());
    written = AppendLine(path, "\r\n[LDAP_CPasswordDlg]") && written;
    lookUpAll(PasswordDialogKeys());
    return written && english.EnglishLinesWritten();
}
