// main_window_texts.cpp - CLDAPDlg::ApplyMainWindowTexts: every main-window text looked up by key.
#include <wx/menu.h>
#include <wx/wupdlock.h>

#include "app/main_window.h"
#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "search_window/search_commands.h"

void CLDAPDlg::ApplyMainWindowTexts(const std::string& path)
{
    // Recorded whether or not the file exists, so that every window opened later follows the
    // language just selected: "" (the built-in English) included.
    m_currentLanguageFile = path;
    wxMenuBar* bar = GetMenuBar();
    if (bar == nullptr)
        return;
    TextCatalog language(path);
    wxWindowUpdateLocker noUpdates(this);  // one repaint for all relabelled controls
    TextPlaces places;
    places.window = this;
    places.controls = this;
    places.menuBar = bar;
    places.store = [this](const TextKey& row, const std::string& text) {
        m_texts[row.key] = text;
    };
    ApplyTexts(MainWindowKeys(), language, places);
    // the control and menu texts too, for the messages that name a command (Options > Connection...)
    for (const TextKey& row : MainWindowKeys()) {
        if (row.target != TextTarget::Stored)
            m_texts[row.key] = language.Text(row);
    }
    if (m_commands)
        m_commands->RetranslateStatus();
    ArrangeControls();  // label widths follow their texts
}
