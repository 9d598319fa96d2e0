// main_window_texts.cpp - CLDAPDlg::ApplyMainWindowTexts: every main-window text looked up by key.
#include <wx/menu.h>
#include <wx/window.h>

#include "app/main_menu.h"
#include "app/main_window.h"
#include "localisation/text_keys.h"
#include "platform/command_ids.h"
#include "platform/text.h"
#include "storage/file_utils.h"
#include "storage/settings_file.h"

void CLDAPDlg::SelectStartupLanguage(const std::string& languageName)
{
    // the catalogue's default is English for now; a named language is looked up there
    if (languageName.empty())
        ApplyMainWindowTexts("");
}

void CLDAPDlg::ApplyMainWindowTexts(const std::string& path)
{
    SettingsFile file(false);
    if (FileExists(path)) {
        file.Load(path);  // a file that fails to load leaves every key on its default
        m_currentLanguageFile = path;
    }
    wxMenuBar* bar = GetMenuBar();
    if (bar == nullptr)
        return;
    wxMenu* fileMenu = bar->GetMenuCount() > 0 ? bar->GetMenu(0) : nullptr;

    for (const TextKey& key : MainWindowKeys()) {
        const bool needsFileMenu = key.target == TextTarget::FileMenuPosition || key.target == TextTarget::FileMenuCommand;
        if (needsFileMenu && fileMenu == nullptr)
            continue;
        const std::string text = file.GetString(key.key, key.englishDefault);
        switch (key.target) {
        case TextTarget::Control:
            ApplyControlText(key.id, text);
            break;
        case TextTarget::Caption:
            SetTitle(ToWx(text));
            break;
        case TextTarget::MenuBarPosition:
            SetMenuBarText(bar, key.id, text);
            break;
        case TextTarget::MenuCommand:
            SetMenuItemText(bar->FindItem(ToWxId(key.id)), text);
            break;
        case TextTarget::FileMenuPosition:
            if (key.id >= 0 && static_cast<size_t>(key.id) < fileMenu->GetMenuItemCount())
                SetMenuItemText(fileMenu->FindItemByPosition(static_cast<size_t>(key.id)), text);
            break;
        case TextTarget::FileMenuCommand:
            SetMenuItemText(fileMenu->FindItem(ToWxId(key.id)), text);
            break;
        case TextTarget::Stored:
            m_texts[key.key] = text;
            break;
        }
    }
    ArrangeControls();  // label widths follow their texts
}

void CLDAPDlg::ApplyControlText(int id, const std::string& text)
{
    if (wxWindow* control = FindWindow(id))
        control->SetLabel(ToWxLabel(text));
}
