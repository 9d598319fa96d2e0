// language_session.cpp - the main window's language: selection, texts and the English file.
#include "app/sessions/language_session.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/wupdlock.h>

#include "app/fonts/font_settings.h"
#include "dialogs/language_dialog.h"
#include "localisation/english_file.h"
#include "localisation/language_catalog.h"
#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "platform/desktop_language.h"

LanguageSession::LanguageSession(wxFrame& frame, ProgramFolders folders, FontSettings& fonts, ChangedFunction changed)
    : m_frame(frame),
      m_folders(std::move(folders)),
      m_fonts(fonts),
      m_changed(std::move(changed)),
      m_catalog(std::make_shared<const TextCatalog>())
{}

void LanguageSession::Apply(const std::string& path)
{
    Use(path, std::make_shared<const TextCatalog>(path));
}

void LanguageSession::Use(const std::string& path, std::shared_ptr<const TextCatalog> catalog)
{
    // Recorded whether or not the file exists, so that every window opened later follows the
    // language just selected: "" (the built-in English) included.
    m_file = path;
    m_catalog = std::move(catalog);
    wxMenuBar* bar = m_frame.GetMenuBar();
    if (bar == nullptr) {
        return;
    }
    const TextCatalog& language = *m_catalog;
    wxWindowUpdateLocker noUpdates(&m_frame);  // one repaint for all relabelled controls
    TextPlaces places;
    places.window = &m_frame;
    places.controls = &m_frame;
    places.menuBar = bar;
    places.store = [this](const TextKey& row, const std::string& text) {
        m_texts[row.key] = text;
    };
    ApplyTexts(MainWindowKeys(), language, places);
    // the control and menu texts too, for the messages that name a command (Options > Connection...)
    for (const TextKey& row : MainWindowKeys()) {
        if (row.target != TextTarget::Stored) {
            m_texts[row.key] = language.Text(row);
        }
    }
    if (m_changed) {
        m_changed(*this);  // label widths follow their texts
    }
}

void LanguageSession::SelectStartup(const std::string& requested)
{
    const LanguageCatalog catalog = ReadLanguageCatalog(m_folders.program + kLanguageCatalogName);
    m_unlistedName.clear();
    if (const LanguageEntry* entry = StartupLanguage(catalog, requested, DesktopLanguage())) {
        Apply(m_folders.program + entry->file);
        m_name = entry->name;
    } else if (requested == kBuiltInLanguageName) {
        // the built-in English, chosen explicitly: it holds whatever the desktop's language
        Apply("");
        m_name = requested;
    } else if (!requested.empty()) {
        // A name the catalogue does not list (a file shared with another installation, say) is
        // written back as it was; the windows show the language selected before it.
        m_unlistedName = requested;
        if (m_name.empty()) {
            Apply("");
        }
    } else if (m_name.empty()) {
        // nothing selected so far: the English defaults, so that no text or message stays empty
        Apply("");
    }
}

void LanguageSession::Restore(const std::string& savedName)
{
    m_chosen = false;
    if (!savedName.empty()) {
        m_chosen = true;
        SelectStartup(savedName);
    }
}

std::string LanguageSession::Saved() const
{
    if (!m_unlistedName.empty()) {
        return m_unlistedName;
    }
    return m_chosen ? m_name : std::string();
}

void LanguageSession::Choose()
{
    CLanguageDlg dialog(&m_frame, {m_file, m_name, m_catalog}, m_folders.program + kLanguageCatalogName,
                        m_folders.program);
    m_fonts.ApplyTo(&dialog, true);
    if (dialog.ShowModal() != wxID_OK) {
        return;
    }
    // the file the dialog read for its preview is not read again
    Use(dialog.SelectedLanguageFile(), dialog.SelectedCatalog());
    m_name = dialog.SelectedLanguageName();
    m_unlistedName.clear();
    m_chosen = true;
    // relabelled controls and menu items show at once
    m_frame.Refresh(true);
    if (wxMenuBar* bar = m_frame.GetMenuBar()) {
        bar->Refresh();
    }
}

void LanguageSession::WriteEnglishFile()
{
    // An installed program folder is read-only for its users: the file then goes into the
    // storage folder, beside LDAP.ini.
    std::vector<std::string> targets{m_folders.program + kEnglishFileName};
    if (m_folders.storage != m_folders.program) {
        targets.push_back(m_folders.storage + kEnglishFileName);
    }
    for (const std::string& target : targets) {
        if (::WriteEnglishFile(target)) {
            std::printf("corvane-ldap: English language file written to %s\n", target.c_str());
            std::fflush(stdout);
            return;
        }
    }
    std::fprintf(stderr, "corvane-ldap: cannot write the English language file %s\n", targets.back().c_str());
}

std::string LanguageSession::Text(const char* key) const
{
    const auto found = m_texts.find(key);
    if (found != m_texts.end()) {
        return found->second;
    }
    return EnglishText(key);
}
