// text_keys.cpp - the key tables with their English defaults, in lookup order.
#include "localisation/text_keys.h"

#include <cstring>

#include "localisation/window_ids.h"

const char* const kVersionText = "Version 1.640 (30.04.2018)";
const char* const kShortVersionText = "1.640";

namespace {

using T = TextTarget;

const TextKey kMainWindow[] = {
    {"FrmMain.m_LBLLDAPServer", "LDAP server", T::Control, ctl::kServerLabel},
    {"FrmMain.m_LBLDN", "Disting. name", T::Control, ctl::kBaseDnLabel},
    {"FrmMain.m_LBLPreselect", "Search preselection", T::Control, ctl::kPreselectionLabel},
    {"FrmMain.m_LBLLDAPServerPort", "LDAP port", T::Control, ctl::kPortLabel},
    {"FrmMain.m_LBLResultAttr", "Result attribute", T::Control, ctl::kResultAttributeLabel},
    {"FrmMain.m_LBLSearchAttr", "Search attribute", T::Control, ctl::kSearchAttributeLabel},
    {"FrmMain.m_CHKSwap", "Swap search and result attributes", T::Control, ctl::kSwap},
    {"FrmMain.m_LBLSearchString", "Searchstring", T::Control, ctl::kSearchStringLabel},
    {"FrmMain.m_LBLResult", "Result", T::Control, ctl::kResultLabel},
    {"FrmMain.m_BTNSearch", "Search", T::Control, ctl::kSearch},
    {"FrmMain.m_BTNDetails", "Details", T::Control, ctl::kDetails},
    {"FrmMain.ID_MEN_FILE", "File", T::MenuBarPosition, menu_pos::kFile},
    {"FrmMain.ID_MEN_NEW", "New settings\tCtrl+N", T::MenuCommand, cmd::kNew},
    {"FrmMain.ID_MEN_OPEN", "Open settings\tCtrl+O", T::MenuCommand, cmd::kOpen},
    {"FrmMain.ID_MEN_SAVE", "Save settings\tCtrl+S", T::MenuCommand, cmd::kSave},
    {"FrmMain.ID_MEN_SAVEAS", "Save settings as...", T::MenuCommand, cmd::kSaveAs},
    {"FrmMain.ID_MEN_EXIT", "Exit\tCtrl+Q", T::MenuCommand, cmd::kExit},
    {"FrmMain.ID_MEN_RECENT", "Recent", T::FileMenuPosition, menu_pos::kRecent},
    {"FrmMain.ID_MEN_CLEAR", "Clear", T::FileMenuCommand, cmd::kClearRecent},
    {"FrmMain.ID_MEN_DEACTIVATE", "Deactivate", T::FileMenuCommand, cmd::kDeactivateRecent},
    {"FrmMain.ID_MEN_EDIT", "Edit", T::MenuBarPosition, menu_pos::kEdit},
    {"FrmMain.ID_MEN_SHOWDETAILS", "Show details\tCtrl+D", T::MenuCommand, cmd::kShowDetails},
    {"FrmMain.ID_MEN_SEARCH", "Search\tCtrl+F", T::MenuCommand, cmd::kSearch},
    {"FrmMain.ID_MEN_EXPORTRESULT", "Export result", T::MenuCommand, cmd::kExportResult},
    {"FrmMain.ID_MEN_OPTIONS", "Options", T::MenuBarPosition, menu_pos::kOptions},
    {"FrmMain.ID_MEN_DETAILS", "Select detail fields\tCtrl+T", T::MenuCommand, cmd::kOptionsDetails},
    {"FrmMain.ID_MEN_LANGUAGE", "Language", T::MenuCommand, cmd::kLanguage},
    {"FrmMain.ID_MEN_HELP", "Help\tF1", T::MenuCommand, cmd::kHelp},
    {"FrmMain.ID_MEN_INFO", "Info", T::MenuCommand, cmd::kInfo},
    {"FrmMain.ID_MEN_LICENSE", "License", T::MenuCommand, cmd::kLicense},
    {"FrmMain.ID_MEN_README", "Changes", T::MenuCommand, cmd::kReadMe},
    {"FrmMain.ID_MEN_CHECKUPDATE", "Check for update", T::MenuCommand, cmd::kCheckUpdate},
    {"FrmMain.m_acMFileError", "Cannot read file!", T::Stored, 0},
    {"FrmMain.m_acMFileCreateError", "Cannot create file!", T::Stored, 0},
    {"FrmMain.m_acMError", "ERROR", T::Stored, 0},
    {"FrmMain.m_acMNoSearchString", "No search string selected.", T::Stored, 0},
    {"FrmMain.m_acMNoLDAPServer", "No LDAP server selected.", T::Stored, 0},
    {"FrmMain.m_acMNoSearchAttribute", "No search attribute selected.", T::Stored, 0},
    {"FrmMain.m_acMNoResultAttribute", "No result attribute selected.", T::Stored, 0},
    {"FrmMain.m_acMNoDN", "No distinguished name selected.", T::Stored, 0},
    {"FrmMain.m_acMLDAPQuery", "LDAP query in progress...", T::Stored, 0},
    {"FrmMain.m_acMNoResult", "No result found for '%s'", T::Stored, 0},
    {"FrmMain.m_acMFileFilter", "LDAP profile(*.cvl)|*.cvl||", T::Stored, 0},
    {"FrmMain.m_acMCSVFilter", "CSV file (*.csv)|*.csv||", T::Stored, 0},
    {"FrmMain.m_sMBtnOK", "OK", T::Stored, 0},
    {"FrmMain.m_acMSearchFailed", "Search failed: %s", T::Stored, 0},
    {"FrmMain.m_acMStatusEntries", "%s entries", T::Stored, 0},
    {"FrmMain.m_acMStatusCut", "%s entries shown; the directory holds more", T::Stored, 0},
    {"FrmMain.m_acMStatusStopped", "Search stopped: %s entries shown", T::Stored, 0},
    {"FrmMain.ID_MEN_CONNECTION", "Connection...", T::MenuCommand, cmd::kConnection},
    {"FrmMain.m_acMPasswordUnencrypted", "The password travels unencrypted: use ldaps:// to protect it", T::Stored, 0},
    {"FrmMain.ID_MEN_COPY", "Copy\tCtrl+C", T::MenuCommand, cmd::kCopy},
    {"FrmMain.ID_MEN_EXPORTLDIF", "Export as LDIF", T::MenuCommand, cmd::kExportLdif},
    {"FrmMain.ID_MEN_BASEDNS", "Base DNs from server", T::MenuCommand, cmd::kBaseDns},
    {"FrmMain.m_acMLDIFFilter", "LDIF file (*.ldif)|*.ldif||", T::Stored, 0},
    {"FrmMain.m_acMBaseDnsCaption", "Base DNs", T::Stored, 0},
    {"FrmMain.m_acMBaseDnsPrompt", "Base DNs the server names:", T::Stored, 0},
    {"FrmMain.m_acMNoBaseDns", "The server names no base DN.", T::Stored, 0},
    {"FrmMain.m_acMNeedsBind", "The server wants a bind name: set one in %s", T::Stored, 0},
    {"FrmMain.m_acMCannotOpen", "Cannot open %s", T::Stored, 0},
    {"FrmMain.ID_MEN_SORTBY", "Sort by", T::MenuCommand, cmd::kSortBy},
    {"FrmMain.m_acMStatusArriving", "%s entries so far...", T::Stored, 0},
    {"FrmMain.m_acMSelectFile", "Select a file", T::Stored, 0},
    {"FrmMain.m_acMBtnCancel", "Cancel", T::Stored, 0},
    {"FrmMain.m_acMFrenchBy", "French by:", T::Stored, 0},
    {"FrmMain.m_acMGreekBy", "Greek by:", T::Stored, 0},
    {"FrmMain.m_acMTurkishBy", "Turkish by:", T::Stored, 0},
    {"FrmMain.m_acMCannotConnect", "cannot connect to %s (%s)", T::Stored, 0},
    {"FrmMain.m_acMSecureFailed",
     "the secure connection (TLS) to %s failed: the server's certificate was not accepted or the TLS handshake "
     "failed (%s)",
     T::Stored, 0},
    {"FrmMain.m_acMStartTlsRefused",
     "the server at %s refused the upgrade with StartTLS (%s); nothing was sent unencrypted", T::Stored, 0},
    {"FrmMain.m_acMAnonymousBindRefused", "the server refused the anonymous bind (%s)", T::Stored, 0},
    {"FrmMain.m_acMBindRefused", "the server refused the bind as '%s' (%s)", T::Stored, 0},
    {"FrmMain.m_acMNoAnswerSecond", "no answer within 1 second", T::Stored, 0},
    {"FrmMain.m_acMNoAnswer", "no answer within %s seconds", T::Stored, 0},
    {"FrmMain.m_acMTooLargeForMemory", "the answer is too large for memory", T::Stored, 0},
    {"FrmMain.m_acMMalformedAnswer", "the server sent a malformed answer", T::Stored, 0},
    {"FrmMain.m_acMClosedConnection", "the server closed the connection", T::Stored, 0},
    {"FrmMain.m_acMAnswerOverBound", "the answer is larger than %s MiB", T::Stored, 0},
    {"FrmMain.m_acMMissingPassword", "no password given for the bind name '%s'", T::Stored, 0},
    {"FrmMain.m_acMBadServer", "the server '%s' is neither a host name nor an ldap:// or ldaps:// address", T::Stored,
     0},
    {"FrmMain.m_acMPortOutOfRange", "port %s is outside 0 to 65535", T::Stored, 0},
    {"FrmMain.m_acMMixedSecurity",
     "the server list '%s' mixes ldaps:// and plain servers: after a failed secure connection the password would "
     "travel unencrypted; list only ldaps:// servers, or only plain ones",
     T::Stored, 0},
    {"FrmMain.m_acSubtitle", "directory search", T::Stored, 0},
    {"FrmMain.m_acMNoTicket", "no Kerberos ticket: sign in with kinit first", T::Stored, 0},
    {"FrmMain.m_acMTicketExpired", "the Kerberos ticket has expired: sign in again with kinit", T::Stored, 0},
    {"FrmMain.m_acMNoServicePrincipal",
     "Kerberos knows no directory service by the name '%s': give the server's full host name", T::Stored, 0},
    {"FrmMain.m_acMClockSkew", "the clocks of this computer and the server differ too much for Kerberos", T::Stored, 0},
    {"FrmMain.m_acMNoTicketModule",
     "this system cannot sign in with a Kerberos ticket: the SASL GSSAPI module is not installed", T::Stored, 0},
    {"FrmMain.m_acMTicketFailed", "the sign-in with the Kerberos ticket failed (%s)", T::Stored, 0},
    {"FrmMain.m_acMNoServiceRecords", "DNS names no directory server under %s (%s)", T::Stored, 0},
    {"FrmMain.m_acMAnsweredBy", "%s (answered by %s)", T::Stored, 0},
    {"FrmMain.m_acMValuesIncomplete", "the server did not give every value of %s of %s", T::Stored, 0},
    {"FrmMain.m_acMNeedsSecureBind",
     "The server wants the bind on a secure connection: turn on StartTLS in %s or use an ldaps:// address", T::Stored,
     0},
    {"FrmMain.m_acMStatusServerLimit", "The server's limit ended the answer after %s entries", T::Stored, 0},
};

const TextKey kDetailsWindow[] = {
    {"FrmDetails.ID_MEN_DLGFILE", "File", T::MenuBarPosition, menu_pos::kFile},
    {"FrmDetails.ID_MEN_DLGSAVE", "Save as...", T::MenuCommand, cmd::kDetailsSave},
    {"FrmDetails.m_BTNOk", "OK", T::Control, btn::kOk},
    {"FrmDetails.m_acFileFilter", "Textfile(*.txt)|*.txt||", T::Stored, 0},
    {"FrmDetails.ID_MEN_DLGEDIT", "Edit", T::MenuBarPosition, menu_pos::kEdit},
    {"FrmDetails.ID_MEN_DLGCOPY", "Copy\tCtrl+C", T::MenuCommand, cmd::kDetailsCopy},
    {"FrmDetails.ID_MEN_DLGSAVEPHOTO", "Save photo as...", T::MenuCommand, cmd::kDetailsSavePhoto},
    {"FrmDetails.m_acPhotoFilter", "Pictures (*.jpg;*.png;*.gif)|*.jpg;*.png;*.gif||", T::Stored, 0},
};

const TextKey kLanguageDialog[] = {
    {"FrmLanguage.Caption", "Select language", T::Caption, 0},
    {"FrmLanguage.m_LBLCurrentLanguage", "Current language:", T::Control, dlg::kLanguageLabel},
    {"FrmLanguage.m_BTNOk", "OK", T::Control, btn::kOk},
    {"FrmLanguage.m_BTNCancel", "Cancel", T::Control, btn::kCancel},
};

const TextKey kDetailFields[] = {
    {"FrmOptions.m_BTNAdd", "Add", T::Control, dlg::kFieldsAdd},
    {"FrmOptions.m_BTNClear", "Delete", T::Control, dlg::kFieldsClear},
    {"FrmOptions.Caption", "Fields for detail view", T::Caption, 0},
    {"FrmOptions.m_BTNCancel", "Cancel", T::Control, btn::kCancel},
    {"FrmOptions.m_BTNOk", "OK", T::Control, btn::kOk},
};

/// Where the texts of the two sign-in choices go: on the ticket's radio button, or kept for files only.
struct ChoicePlace {
    TextTarget target;
    int id;
};
#ifdef _WIN32
constexpr ChoicePlace kKerberosChoice{TextTarget::Stored, 0};
constexpr ChoicePlace kWindowsChoice{TextTarget::Control, dlg::kConnectionTicket};
#else
constexpr ChoicePlace kKerberosChoice{TextTarget::Control, dlg::kConnectionTicket};
constexpr ChoicePlace kWindowsChoice{TextTarget::Stored, 0};
#endif

const TextKey kConnectionDialog[] = {
    {"FrmConnection.Caption", "Connection", T::Caption, 0},
    {"FrmConnection.m_LBLBindUser", "Bind name (empty: anonymous)", T::Control, dlg::kConnectionLabel},
    {"FrmConnection.m_BTNOk", "OK", T::Control, btn::kOk},
    {"FrmConnection.m_BTNCancel", "Cancel", T::Control, btn::kCancel},
    {"FrmConnection.m_CHKStartTls", "Upgrade ldap:// with StartTLS before the bind", T::Control,
     dlg::kConnectionStartTls},
    {"FrmConnection.m_LBLEntryCap", "Entry cap (1 to 1000000):", T::Control, dlg::kConnectionEntryCapLabel},
    {"FrmConnection.m_RBAnonymous", "Sign in anonymously", T::Control, dlg::kConnectionAnonymous},
    {"FrmConnection.m_RBPassword", "Sign in with the bind name and its password", T::Control, dlg::kConnectionPassword},
    // The ticket's choice is named after the system's own sign-in; the other text is kept too, so
    // language files read the same on both systems.
    {"FrmConnection.m_RBKerberos", "Sign in with my Kerberos ticket", kKerberosChoice.target, kKerberosChoice.id},
    {"FrmConnection.m_RBWindowsAccount", "Sign in with my Windows account", kWindowsChoice.target, kWindowsChoice.id},
};

const TextKey kPasswordDialog[] = {
    {"FrmPassword.Caption", "Password", T::Caption, 0},
    {"FrmPassword.m_LBLPassword", "Password for %s", T::Stored, 0},
    {"FrmPassword.m_BTNOk", "OK", T::Control, btn::kOk},
    {"FrmPassword.m_BTNCancel", "Cancel", T::Control, btn::kCancel},
};

}  // namespace

std::span<const TextKey> MainWindowKeys()
{
    return kMainWindow;
}
std::span<const TextKey> DetailsWindowKeys()
{
    return kDetailsWindow;
}
std::span<const TextKey> LanguageDialogKeys()
{
    return kLanguageDialog;
}
std::span<const TextKey> DetailFieldsKeys()
{
    return kDetailFields;
}
std::span<const TextKey> ConnectionDialogKeys()
{
    return kConnectionDialog;
}
std::span<const TextKey> PasswordDialogKeys()
{
    return kPasswordDialog;
}

const TextKey* KeyAt(std::span<const TextKey> table, TextTarget target, int id)
{
    for (const TextKey& row : table) {
        if (row.target == target && row.id == id) {
            return &row;
        }
    }
    return nullptr;
}

const char* EnglishAt(std::span<const TextKey> table, TextTarget target, int id)
{
    const TextKey* row = KeyAt(table, target, id);
    return row != nullptr ? row->englishDefault : "";
}

const char* EnglishDefault(const char* key)
{
    for (auto table : AllKeyTables()) {
        for (const TextKey& row : table) {
            if (std::strcmp(row.key, key) == 0) {
                return row.englishDefault;
            }
        }
    }
    return nullptr;
}

std::string EnglishText(const char* key)
{
    const char* english = EnglishDefault(key);
    return english != nullptr ? english : key;
}
