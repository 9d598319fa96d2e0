// profile_session.h - the current profile of the main window: its file, detail attributes, bind
// name and connection options, and the File commands that load and save it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "search/search_rules.h"
#include "storage/connection_profile.h"

class FontSettings;
class LanguageSession;
class wxFrame;

/**
 * The profile the main window's fields show: the file it came from or went to ("" when none is
 * current), the detail attributes, the name searches bind as (a profile keeps it, never its
 * password), StartTLS and the entry cap. The window's title follows them.
 */
class ProfileSession {
public:
    /// What the window does besides the profile's own fields.
    struct Hooks {
        std::function<void()> cleared;                        ///< New settings: the result list empties
        std::function<void(const std::string& path)> loaded;  ///< a profile file was loaded
        std::function<void(const ProfileSession&)> changed;   ///< the file, details, bind name or connection changed
    };

    /// frame holds the fields, shows the title and owns the dialogs; language gives the texts of
    /// messages and file filters; fonts apply to the Options dialogs.
    ProfileSession(wxFrame& frame, const LanguageSession& language, FontSettings& fonts, Hooks hooks);

    /// File > New settings: no current profile, empty result list, fields to their defaults.
    void New();
    /// File > Open settings.
    void Open();
    /// File > Save settings: to the current profile when its file exists, else as Save as.
    void Save();
    /// File > Save settings as.
    void SaveAs();
    /// Files dropped on the window: the first one is loaded when its name contains ".cvl" (any case).
    void Drop(const std::vector<std::string>& files);
    /// Loads a profile file (XML form, else the older line form) into the fields.
    bool Load(const std::string& path);
    /// Saves the fields and the detail attributes to path in the XML form.
    bool SaveTo(const std::string& path);
    /// Options > Select detail fields: the detail-fields dialog; on OK its list replaces the
    /// detail attributes.
    void ChooseDetailFields();
    /// Options > Connection...: the connection dialog; on OK its bind name, StartTLS and entry cap
    /// replace the current ones.
    void ChooseConnection();

    const std::string& Path() const { return m_path; }
    const DetailSlots& DetailAttributes() const { return m_detailAttributes; }
    void SetDetailAttributes(const DetailSlots& slots);
    /// The name searches bind as ("" anonymously).
    const std::string& BindUser() const { return m_bindUser; }
    /// StartTLS and the entry cap every search connects with.
    const ConnectionOptions& Connection() const { return m_connection; }

private:
    /// The fields and the session's values as a profile.
    ConnectionProfile FromFields() const;
    /// The title follows, then the changed hook runs.
    void Changed();
    /// A message box with a stored text, the stored "ERROR" caption and icon (wxICON_*).
    void ShowMessage(const char* key, long icon, const std::string& details = {}) const;

    wxFrame& m_frame;
    const LanguageSession& m_language;
    FontSettings& m_fonts;
    Hooks m_hooks;
    std::string m_path;
    DetailSlots m_detailAttributes = DefaultDetailSlots();
    std::string m_bindUser;
    ConnectionOptions m_connection;
};
