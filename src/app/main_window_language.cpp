// main_window_language.cpp - CLDAPDlg's language: the start-up selection, Options > Language and
// the English language file.
#include <cstdio>
#include <string>
#include <vector>

#include <wx/menu.h>

#include "app/font_settings.h"
#include "app/main_window.h"
#include "dialogs/language_dialog.h"
#include "localisation/english_file.h"
#include "localisation/language_catalog.h"
#include "platform/desktop_language.h"

void CLDAPDlg::SelectStartupLanguage(const std::string& requested)
{
    const LanguageCatalog catalog = ReadLanguageCatalog(m_programFolder + kLanguageCatalogName);
    m_unlistedLanguageName.clear();
    if (const LanguageEntry* entry = StartupLanguage(catalog, requested, DesktopLanguage())) {
        ApplyMainWindowTexts(m_programFolder + entry->file);
        m_currentLanguageName = entry->name;
    } else if (requested == kBuiltInLanguageName) {
        // the built-in English, chosen explicitly: it holds whatever the desktop's language
        ApplyMainWindowTexts("");
        m_currentLanguageName = requested;
    } else if (!requested.empty()) {
        // A name the catalogue does not list (a file shared with another installation, say) is
        // written back as it was; the windows show the language selected before it.
        m_unlistedLanguageName = requested;
        if (m_currentLanguageName.empty())
            ApplyMainWindowTexts("");
    } else if (m_currentLanguageName.empty()) {
        // nothing selected so far: the English defaults, so that no text or message stays empty
        ApplyMainWindowTexts("");
    }
}

void CLDAPDlg::ChooseLanguage()
{
    CLanguageDlg dialog(this, m_currentLanguageFile, m_currentLanguageName, m_programFolder + kLanguageCatalogName,
                        m_programFolder);
    Fonts().ApplyTo(&dialog, true);
    if (dialog.ShowModal() != wxID_OK)
        return;
    ApplyMainWindowTexts(dialog.SelectedLanguageFile());
    m_currentLanguageName = dialog.SelectedLanguageName();
    m_unlistedLanguageName.clear();
    m_languageChosen = true;
    // relabelled controls and menu items show at once
    Refresh(true);
    if (wxMenuBar* bar = GetMenuBar())
        bar->Refresh();
}

void CLDAPDlg::WriteEnglishLanguageFile()
{
    ApplyMainWindowTexts(m_currentLanguageFile);
    // An installed program folder is read-only for its users: the file then goes into the
    // storage folder, beside LDAP.ini.
    std::vector<std::string> targets{m_programFolder + kEnglishFileName};
    if (m_storageFolder != m_programFolder)
        targets.push_back(m_storageFolder + kEnglishFileName);
    for (const std::string& target : targets) {
        if (WriteEnglishFile(target)) {
            std::printf("corvane-ldap: English language file written to %s\n", target.c_str());
            std::fflush(stdout);
            return;
        }
    }
    std::fprintf(stderr, "corvane-ldap: cannot write the English language file %s\n", targets.back().c_str());
}
