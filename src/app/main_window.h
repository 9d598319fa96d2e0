// main_window.h - CLDAPDlg, the main window: template controls, menu, texts, profiles and commands.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "storage/app_settings.h"
#include "storage/connection_profile.h"
#include "search/search_rules.h"
#include "storage/recent_list.h"

class BindLogin;
class FontSettings;
class MainWindowResizer;
class RecentMenu;
class StartPlacementGuard;
class SearchCommands;
class wxCloseEvent;
class wxDropFilesEvent;
class wxPanel;
class wxSizeEvent;
class wxTextEntry;

/**
 * The main window. A frame (it carries the menu bar) holding a panel with the controls of the
 * template, created by id at their template rectangles; the panel gives the dialog behaviour
 * (Tab walks the template order, Enter runs Search). Owns the profile fields' state
 * (currentProfilePath, detailAttributes), the stored message texts, the search commands, the
 * folders, the fonts, the recent list and the current language. It saves LDAP.ini once when it
 * closes, whichever way; closing it ends the program.
 */
class CLDAPDlg : public wxFrame {
public:
    /// Builds the window and runs the start-up sequence; args are the command-line arguments
    /// after the program name, as bytes.
    explicit CLDAPDlg(const std::vector<std::string>& args);
    ~CLDAPDlg() override;

    /// Shows the window at the place and size it starts with: the one stored in LDAP.ini (set
    /// before it is shown and kept through the window manager's framing), else the template's
    /// size, set again once shown because the menu bar's height is only known then on some
    /// desktops.
    void ShowAtStart();
    /// Moves the controls for the current size (also run by every size change).
    void ArrangeControls();

    /// Reads LDAP.ini: recent list, fonts, window position, saved language.
    void LoadApplicationSettings(const std::string& path);
    /// Writes LDAP.ini anew from the window's state; failures are not reported.
    void SaveApplicationSettings(const std::string& path);

    /// Makes path the current language file ("" for the built-in English) and puts every
    /// main-window text looked up in it in its place (English defaults for what it lacks, all of
    /// them when it does not exist): controls, menu items and the stored messages.
    void ApplyMainWindowTexts(const std::string& path);
    /// Selects a language of the catalogue at start-up: with requested "" the catalogue's
    /// LanguageDefault, else the catalogue entry for the desktop's language; with a name (the one
    /// saved in LDAP.ini) that entry. The English defaults when no language has been selected.
    void SelectStartupLanguage(const std::string& requested);
    /// Options > Language: the language dialog; on OK its language is applied at once and chosen.
    void ChooseLanguage();
    /// Options > Select detail fields: the detail-fields dialog; on OK its list replaces
    /// detailAttributes.
    void ChooseDetailFields();
    /// Options > Connection...: the connection dialog; on OK its bind name replaces the current
    /// one and the title shows it.
    void ChooseConnection();
    /// "--ENGLISH": applies the current language and writes LangLDAP_English.ini into the program
    /// folder, or into the storage folder when the program folder refuses it; a line on standard
    /// output names the file written, one on standard error says when neither could be written.
    void WriteEnglishLanguageFile();

    /// File > New settings: no current profile, empty result list, fields to their defaults.
    void NewProfile();
    /// File > Open settings.
    void OpenProfile();
    /// File > Save settings: to the current profile when its file exists, else as Save as.
    void SaveProfileCommand();
    /// File > Save settings as.
    void SaveProfileAs();
    /// Files dropped on the window: the first one is loaded when its name contains ".cvl" (any case).
    void DropProfile(const std::vector<std::string>& files);
    /// Loads a profile file (XML form, else the older line form) into the fields.
    bool LoadProfile(const std::string& path);
    /// Saves the fields and detailAttributes to path in the XML form.
    bool SaveProfile(const std::string& path);
    /// "Corvane LDAP", followed by " - " and the profile's file name when one is current, then by
    /// the bind name in brackets when one is set.
    void UpdateTitle();
    /// Records a loaded profile in File > Recent.
    void AddRecent(const std::string& path, bool atTop);
    /// A Recent entry chosen: loads it when its file still exists, else does nothing.
    void OpenRecent(const std::string& path);

    /// The stored text of a key, its English default before any apply.
    std::string Text(const char* key) const;
    const std::string& CurrentProfilePath() const { return m_currentProfilePath; }
    const DetailSlots& DetailAttributes() const { return m_detailAttributes; }
    void SetDetailAttributes(const DetailSlots& slots) { m_detailAttributes = slots; }
    /// The name searches bind as ("" anonymously); a profile keeps it, never its password.
    const std::string& BindUser() const { return m_bindUser; }
    const std::string& ProgramFolder() const { return m_programFolder; }
    const std::string& StorageFolder() const { return m_storageFolder; }
    const std::string& CurrentLanguageFile() const { return m_currentLanguageFile; }
    const std::string& CurrentLanguageName() const { return m_currentLanguageName; }
    /// True once LDAP.ini named a language or the user confirmed the language dialog.
    bool LanguageChosen() const { return m_languageChosen; }
    FontSettings& Fonts() { return *m_fontSettings; }
    SearchCommands& Commands() { return *m_commands; }
    wxPanel* Panel() const { return m_panel; }

    /// A control's text as bytes, cut to 1023 bytes as every field is read.
    std::string FieldText(int id) const;
    void SetFieldText(int id, const std::string& text);

private:
    void CreateControls();
    /// programFolder, the document menu items, storageFolder (SavePath.ini or the per-user
    /// folder) and the installation record.
    void SetUpFolders();
    void RemoveMissingDocumentItems();
    void SetUpResultList();
    void BindCommands();
    void ApplyStartPlacement();
    /// The toolkit's minimum size, set before the window is shown: the smallest window, taller
    /// where the controls' real heights need it (MainWindowResizer::MinimumWindowSize).
    void UpdateMinimumSize();
    /// The outer rectangle LDAP.ini keeps: the restored one while minimised.
    WindowRect PlacementRect() const;
    void OnClose(wxCloseEvent& event);
    void OnFrameSize(wxSizeEvent& event);
    void OnDropFiles(wxDropFilesEvent& event);
    wxTextEntry* Entry(int id) const;
    /// A message box with a stored text, the stored "ERROR" caption and icon (wxICON_*).
    void ShowMessage(const char* key, long icon, const std::string& details = {});

    wxPanel* m_panel = nullptr;
    std::unique_ptr<BindLogin> m_bindLogin;  ///< before the commands, which use it until they go
    std::unique_ptr<SearchCommands> m_commands;
    std::unique_ptr<FontSettings> m_fontSettings;
    std::unique_ptr<MainWindowResizer> m_resizer;
    std::unique_ptr<StartPlacementGuard> m_placementGuard;
    RecentList m_recent;
    std::unique_ptr<RecentMenu> m_recentMenu;
    std::string m_programFolder;
    std::string m_licenseFilePath;
    std::string m_readMeFilePath;
    std::string m_storageFolder;
    std::string m_currentProfilePath;
    std::string m_currentLanguageFile;
    std::string m_currentLanguageName;
    bool m_languageChosen = false;
    std::string m_unlistedLanguageName;  ///< a saved LanguageName the catalogue lacks, written back as it was
    WindowPlacement m_startPlacement;    ///< from LDAP.ini, applied again once shown
    WindowRect m_normalRect;             ///< the last rectangle while neither minimised nor maximised
    bool m_settingsSaved = false;
    DetailSlots m_detailAttributes{};
    std::string m_bindUser;
    ConnectionOptions m_connection;  ///< StartTLS and the entry cap of Options > Connection
    std::map<std::string, std::string> m_texts;
};
