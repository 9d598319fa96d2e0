// text_keys.cpp - the four key tables with their English defaults, in lookup order.
#include "localisation/text_keys.h"

#include <cstring>

const char* const kVersionText = "Version 1.640 (30.04.2018)";
const char* const kShortVersionText = "1.640";

namespace {

using T = TextTarget;

const TextKey kMainWindow[] = {
    {"FrmMain.m_LBLLDAPServer", "LDAP server", T::Control, 1000},
    {"FrmMain.m_LBLDN", "Disting. name", T::Control, 1015},
    {"FrmMain.m_LBLPreselect", "Search preselection", T::Control, 1004},
    {"FrmMain.m_LBLLDAPServerPort", "LDAP port", T::Control, 1002},
    {"FrmMain.m_LBLResultAttr", "Result attribute", T::Control, 1007},
    {"FrmMain.m_LBLSearchAttr", "Search attribute", T::Control, 1006},
    {"FrmMain.m_CHKSwap", "Swap search and result attributes", T::Control, 1018},
    {"FrmMain.m_LBLSearchString", "Searchstring", T::Control, 1008},
    {"FrmMain.m_LBLResult", "Result", T::Control, 1011},
    {"FrmMain.m_BTNSearch", "Search", T::Control, 1010},
    {"FrmMain.m_BTNDetails", "Details", T::Control, 1014},
    {"FrmMain.ID_MEN_FILE", "File", T::MenuBarPosition, 0},
    {"FrmMain.ID_MEN_NEW", "New settings\tCtrl+N", T::MenuCommand, 32780},
    {"FrmMain.ID_MEN_OPEN", "Open settings\tCtrl+O", T::MenuCommand, 32771},
    {"FrmMain.ID_MEN_SAVE", "Save settings\tCtrl+S", T::MenuCommand, 32772},
    {"FrmMain.ID_MEN_SAVEAS", "Save settings as...", T::MenuCommand, 32781},
    {"FrmMain.ID_MEN_EXIT", "Exit\tCtrl+Q", T::MenuCommand, 32773},
    {"FrmMain.ID_MEN_RECENT", "Recent", T::FileMenuPosition, 5},
    {"FrmMain.ID_MEN_CLEAR", "Clear", T::FileMenuCommand, 32786},
    {"FrmMain.ID_MEN_DEACTIVATE", "Deactivate", T::FileMenuCommand, 32787},
    {"FrmMain.ID_MEN_EDIT", "Edit", T::MenuBarPosition, 1},
    {"FrmMain.ID_MEN_SHOWDETAILS", "Show details\tCtrl+D", T::MenuCommand, 32783},
    {"FrmMain.ID_MEN_SEARCH", "Search\tCtrl+F", T::MenuCommand, 32784},
    {"FrmMain.ID_MEN_EXPORTRESULT", "Export result", T::MenuCommand, 32782},
    {"FrmMain.ID_MEN_OPTIONS", "Options", T::MenuBarPosition, 2},
    {"FrmMain.ID_MEN_DETAILS", "Select detail fields\tCtrl+T", T::MenuCommand, 32774},
    {"FrmMain.ID_MEN_LANGUAGE", "Language", T::MenuCommand, 32788},
    {"FrmMain.ID_MEN_HELP", "Help\tF1", T::MenuCommand, 32776},
    {"FrmMain.ID_MEN_INFO", "Info", T::MenuCommand, 32775},
    {"FrmMain.ID_MEN_LICENSE", "License", T::MenuCommand, 32778},
    {"FrmMain.ID_MEN_README", "Changes", T::MenuCommand, 32779},
    {"FrmMain.ID_MEN_CHECKUPDATE", "Check for update", T::MenuCommand, 32789},
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
    {"FrmMain.ID_MEN_CONNECTION", "Connection...", T::MenuCommand, 32790},
    {"FrmMain.m_acMPasswordUnencrypted", "The password travels unencrypted: use ldaps:// to protect it", T::Stored, 0},
    {"FrmMain.ID_MEN_COPY", "Copy\tCtrl+C", T::MenuCommand, 32791},
    {"FrmMain.ID_MEN_EXPORTLDIF", "Export as LDIF", T::MenuCommand, 32792},
    {"FrmMain.ID_MEN_BASEDNS", "Base DNs from server", T::MenuCommand, 32793},
    {"FrmMain.m_acMLDIFFilter", "LDIF file (*.ldif)|*.ldif||", T::Stored, 0},
    {"FrmMain.m_acMBaseDnsCaption", "Base DNs", T::Stored, 0},
    {"FrmMain.m_acMBaseDnsPrompt", "Base DNs the server names:", T::Stored, 0},
    {"FrmMain.m_acMNoBaseDns", "The server names no base DN.", T::Stored, 0},
};

const TextKey kDetailsWindow[] = {
    {"FrmDetails.ID_MEN_DLGFILE", "File", T::MenuBarPosition, 0},
    {"FrmDetails.ID_MEN_DLGSAVE", "Save as...", T::MenuCommand, 32777},
    {"FrmDetails.m_BTNOk", "OK", T::Control, 1},
    {"FrmDetails.m_acFileFilter", "Textfile(*.txt)|*.txt||", T::Stored, 0},
    {"FrmDetails.ID_MEN_DLGEDIT", "Edit", T::MenuBarPosition, 1},
    {"FrmDetails.ID_MEN_DLGCOPY", "Copy\tCtrl+C", T::MenuCommand, 32794},
};

const TextKey kLanguageDialog[] = {
    {"FrmLanguage.Caption", "Select language", T::Caption, 0},
    {"FrmLanguage.m_LBLCurrentLanguage", "Current language:", T::Control, 1040},
    {"FrmLanguage.m_BTNOk", "OK", T::Control, 1},
    {"FrmLanguage.m_BTNCancel", "Cancel", T::Control, 2},
};

const TextKey kDetailFields[] = {
    {"FrmOptions.m_BTNAdd", "Add", T::Control, 1038},
    {"FrmOptions.m_BTNClear", "Delete", T::Control, 1039},
    {"FrmOptions.Caption", "Fields for detail view", T::Caption, 0},
    {"FrmOptions.m_BTNCancel", "Cancel", T::Control, 2},
    {"FrmOptions.m_BTNOk", "OK", T::Control, 1},
};

const TextKey kConnectionDialog[] = {
    {"FrmConnection.Caption", "Connection", T::Caption, 0},
    {"FrmConnection.m_LBLBindUser", "Bind name (empty: anonymous)", T::Control, 1060},
    {"FrmConnection.m_BTNOk", "OK", T::Control, 1},
    {"FrmConnection.m_BTNCancel", "Cancel", T::Control, 2},
    {"FrmConnection.m_CHKStartTls", "Upgrade ldap:// with StartTLS before the bind", T::Control, 1062},
    {"FrmConnection.m_LBLEntryCap", "Entry cap (1 to 1000000):", T::Control, 1063},
};

const TextKey kPasswordDialog[] = {
    {"FrmPassword.Caption", "Password", T::Caption, 0},
    {"FrmPassword.m_LBLPassword", "Password for %s", T::Stored, 0},
    {"FrmPassword.m_BTNOk", "OK", T::Control, 1},
    {"FrmPassword.m_BTNCancel", "Cancel", T::Control, 2},
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
