// main_window.h - CLDAPDlg, the main window: its controls, its command bindings and its close.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "app/program_folders.h"

class FontSettings;
class LanguageSession;
class ProfileSession;
class RecentMenu;
class SearchCommands;
class SortMenu;
class WindowState;
class wxCloseEvent;
class wxPanel;

/**
 * The main window. A frame (it carries the menu bar) holding a panel with the controls of the
 * template, created by id at their template rectangles; the panel gives the dialog behaviour
 * (Tab walks the template order, Enter runs Search). It composes the owners of what outlives one
 * command: the current profile, the current language, the window's placement, the fonts, the
 * recent list, the sort menu and the search commands. It saves LDAP.ini once when it closes, whichever way;
 * closing it ends the program.
 */
class CLDAPDlg : public wxFrame {
public:
    /// Builds the window and runs the start-up sequence; args are the command-line arguments
    /// after the program name, as bytes.
    explicit CLDAPDlg(const std::vector<std::string>& args);
    ~CLDAPDlg() override;

    /// Shows the window at the place and size it starts with (WindowState::ShowAtStart).
    void ShowAtStart();

    ProfileSession& Profile() { return *m_profile; }
    LanguageSession& Language() { return *m_language; }
    const ProgramFolders& Folders() const { return m_folders; }
    FontSettings& Fonts() { return *m_fontSettings; }
    SearchCommands& Commands() { return *m_commands; }
    wxPanel* Panel() const { return m_panel; }

private:
    void CreateControls();
    void BindCommands();
    /// Reads LDAP.ini: recent list, fonts, window position, saved language.
    void LoadApplicationSettings(const std::string& path);
    /// Writes LDAP.ini anew from the window's state; a failure is reported in a message box.
    void SaveApplicationSettings(const std::string& path);
    void OnClose(wxCloseEvent& event);

    wxPanel* m_panel = nullptr;
    std::unique_ptr<WindowState> m_windowState;
    std::unique_ptr<FontSettings> m_fontSettings;
    ProgramFolders m_folders;
    std::unique_ptr<SearchCommands> m_commands;
    std::unique_ptr<RecentMenu> m_recentMenu;
    std::unique_ptr<SortMenu> m_sortMenu;
    std::unique_ptr<LanguageSession> m_language;
    std::unique_ptr<ProfileSession> m_profile;
    bool m_settingsSaved = false;
};
