// main_window_profiles.cpp - CLDAPDlg's profile commands: new, open, save, save as, drop, load, title.
#include <algorithm>
#include <cctype>
#include <optional>

#include <wx/msgdlg.h>

#include "app/main_window.h"

#include "app/main_window_template.h"
#include "localisation/text_keys.h"
#include "platform/file_dialog.h"
#include "platform/text.h"
#include "search_window/search_commands.h"
#include "storage/file_utils.h"

namespace {

/// A profile key's control, in the order profiles store them.
struct ProfileControl {
    int id;
    std::string ConnectionProfile::*value;
    bool ProfileFields::*found;
};

const ProfileControl kProfileControls[] = {
    {ctl::kServer, &ConnectionProfile::server, &ProfileFields::server},
    {ctl::kPort, &ConnectionProfile::port, &ProfileFields::port},
    {ctl::kBaseDn, &ConnectionProfile::baseDn, &ProfileFields::baseDn},
    {ctl::kPreselection, &ConnectionProfile::preselection, &ProfileFields::preselection},
    {ctl::kSearchAttribute, &ConnectionProfile::searchAttribute, &ProfileFields::searchAttribute},
    {ctl::kResultAttribute, &ConnectionProfile::resultAttribute, &ProfileFields::resultAttribute},
};

const char* const kTitle = "Corvane LDAP";

}  // namespace

void CLDAPDlg::UpdateTitle()
{
    std::string title = kTitle;
    if (!m_currentProfilePath.empty())
        title += " - " + FileNameOf(m_currentProfilePath);
    // whom the searches run as
    if (!m_bindUser.empty())
        title += " (" + m_bindUser + ")";
    SetTitle(ToWx(title));
}

void CLDAPDlg::NewProfile()
{
    m_currentProfilePath.clear();
    m_bindUser.clear();  // a bind name belongs to its directory's settings
    m_connection = {};
    UpdateTitle();
    if (m_commands)
        m_commands->ClearList();
    const ConnectionProfile defaults;
    for (const int id : {ctl::kServer, ctl::kPreselection, ctl::kSearchString, ctl::kBaseDn})
        SetFieldText(id, "");
    SetFieldText(ctl::kPort, defaults.port);
    SetFieldText(ctl::kSearchAttribute, defaults.searchAttribute);
    SetFieldText(ctl::kResultAttribute, defaults.resultAttribute);
}

void CLDAPDlg::OpenProfile()
{
    const std::optional<std::string> path = AskFilePath(this, FileDialogMode::Open, "cvl", Text(keys::kFileFilter));
    if (path)
        LoadProfile(*path);
}

void CLDAPDlg::SaveProfileAs()
{
    const std::optional<std::string> path = AskFilePath(this, FileDialogMode::Save, "cvl", Text(keys::kFileFilter));
    if (path)
        SaveProfile(*path);
}

void CLDAPDlg::SaveProfileCommand()
{
    if (FileExists(m_currentProfilePath))
        SaveProfile(m_currentProfilePath);
    else
        SaveProfileAs();
}

void CLDAPDlg::DropProfile(const std::vector<std::string>& files)
{
    if (files.empty())
        return;
    const std::string& path = files.front();
    std::string upper = path;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    if (upper.find(".CVL") != std::string::npos)
        LoadProfile(path);
}

bool CLDAPDlg::LoadProfile(const std::string& requestedPath)
{
    const std::string path = requestedPath;  // a copy: the caller may pass currentProfilePath
    ConnectionProfile profile;
    for (const ProfileControl& control : kProfileControls)
        profile.*control.value = FieldText(control.id);
    profile.detailAttributes = m_detailAttributes;
    profile.bindUser = m_bindUser;
    profile.startTls = m_connection.startTls;
    profile.entryCap = m_connection.entryCap;
    ProfileFields found;
    const ProfileReadResult result = ReadProfile(path, profile, found);
    if (result != ProfileReadResult::Xml) {
        // a file not in the XML form is read in the older form, with no profile current meanwhile
        m_currentProfilePath.clear();
        UpdateTitle();
    }
    if (result == ProfileReadResult::Unreadable) {
        ShowMessage(keys::kFileError, wxICON_INFORMATION);
        return false;
    }
    for (const ProfileControl& control : kProfileControls) {
        if (found.*control.found)
            SetFieldText(control.id, profile.*control.value);
    }
    if (found.detailAttributes)
        m_detailAttributes = profile.detailAttributes;
    if (found.bindUser)
        m_bindUser = profile.bindUser;
    if (found.connection)
        m_connection = ConnectionOptions{profile.startTls, profile.entryCap};
    m_currentProfilePath = path;
    AddRecent(path, true);
    UpdateTitle();
    return true;
}

bool CLDAPDlg::SaveProfile(const std::string& requestedPath)
{
    // a copy: Save settings passes currentProfilePath, which is cleared while saving
    const std::string path = requestedPath;
    ConnectionProfile profile;
    for (const ProfileControl& control : kProfileControls)
        profile.*control.value = FieldText(control.id);
    profile.detailAttributes = m_detailAttributes;
    profile.bindUser = m_bindUser;
    profile.startTls = m_connection.startTls;
    profile.entryCap = m_connection.entryCap;
    m_currentProfilePath.clear();
    UpdateTitle();
    if (!WriteProfile(path, profile)) {
        ShowMessage(keys::kFileCreateError, wxICON_ERROR, WriteFailureDetails(path));
        return false;
    }
    m_currentProfilePath = path;
    UpdateTitle();
    return true;
}
