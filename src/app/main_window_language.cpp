// main_window_language.cpp - CLDAPDlg's language: the start-up selection, Options > Language and
// the English language file.
#include <cstdio>

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
    if (const LanguageEntry* entry = StartupLanguage(catalog, requested, DesktopLanguage())) {
        ApplyMainWindowTexts(m_programFolder + entry->file);
        m_currentLanguageName = entry->name;
    } else if (m_currentLanguageName.empty()) {
        // nothing selected so far: the English defaults, so that no text or message stays empty
        ApplyMainWindowTexts("");
    }
    // A saved name the catalogue no longer lists keeps the language selected before it, file
    // included, so that every window keeps showing the same language.
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
    m_languageChosen = true;
    // relabelled controls and menu items show at once
    Refresh(true);
    if (wxMenuBar* bar = GetMenuBar())
        bar->Refresh();
}

void CLDAPDlg::WriteEnglishLanguageFile()
{
    ApplyMainWindowTexts(m_currentLanguageFile);
    if (!WriteEnglishFile(m_englishFilePath))
        std::fprintf(stderr, "corvane-ldap: cannot write the English language file %s\n", m_englishFilePath.c_str());
}
