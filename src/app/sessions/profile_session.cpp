// profile_session.cpp - the current profile: new, open, save, save as, drop, load, the Options
// dialogs that change it, and the title.
#include "app/sessions/profile_session.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include <wx/frame.h>
#include <wx/msgdlg.h>

#include "app/sessions/field_text.h"
#include "localisation/window_ids.h"
#include "app/fonts/font_settings.h"
#include "app/sessions/language_session.h"
#include "app/sessions/window_title.h"
#include "dialogs/connection_dialog.h"
#include "dialogs/detail_fields_dialog.h"
#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "storage/file_failure.h"
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

}  // namespace

ProfileSession::ProfileSession(wxFrame& frame, const LanguageSession& language, FontSettings& fonts, Hooks hooks)
    : m_frame(frame), m_language(language), m_fonts(fonts), m_hooks(std::move(hooks))
{}

void ProfileSession::Changed()
{
    m_frame.SetTitle(ToWx(WindowTitle(m_path, m_bindUser)));
    if (m_hooks.changed) {
        m_hooks.changed(*this);
    }
}

void ProfileSession::SetDetailAttributes(const DetailSlots& slots)
{
    m_detailAttributes = slots;
    Changed();
}

void ProfileSession::New()
{
    m_path.clear();
    m_bindUser.clear();  // a bind name belongs to its directory's settings
    m_connection = {};
    Changed();
    if (m_hooks.cleared) {
        m_hooks.cleared();
    }
    const ConnectionProfile defaults;
    for (const int id : {ctl::kServer, ctl::kPreselection, ctl::kSearchString, ctl::kBaseDn}) {
        SetFieldText(m_frame, id, "");
    }
    SetFieldText(m_frame, ctl::kPort, defaults.port);
    SetFieldText(m_frame, ctl::kSearchAttribute, defaults.searchAttribute);
    SetFieldText(m_frame, ctl::kResultAttribute, defaults.resultAttribute);
}

void ProfileSession::Open()
{
    const std::optional<std::string> path = AskFilePath(
        &m_frame, FileDialogMode::Open, "cvl", m_language.Text(keys::kFileFilter), m_language.Text(keys::kSelectFile));
    if (path) {
        Load(*path);
    }
}

void ProfileSession::SaveAs()
{
    const std::optional<std::string> path = AskFilePath(
        &m_frame, FileDialogMode::Save, "cvl", m_language.Text(keys::kFileFilter), m_language.Text(keys::kSelectFile));
    if (path) {
        SaveTo(*path);
    }
}

void ProfileSession::Save()
{
    if (FileExists(m_path)) {
        SaveTo(m_path);
    } else {
        SaveAs();
    }
}

void ProfileSession::Drop(const std::vector<std::string>& files)
{
    if (files.empty()) {
        return;
    }
    const std::string& path = files.front();
    std::string upper = path;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    if (upper.find(".CVL") != std::string::npos) {
        Load(path);
    }
}

ConnectionProfile ProfileSession::FromFields() const
{
    ConnectionProfile profile;
    for (const ProfileControl& control : kProfileControls) {
        profile.*control.value = FieldText(m_frame, control.id);
    }
    profile.detailAttributes = m_detailAttributes;
    profile.bindUser = m_bindUser;
    profile.startTls = m_connection.startTls;
    profile.entryCap = m_connection.entryCap;
    profile.signIn = m_connection.signIn;
    return profile;
}

bool ProfileSession::Load(const std::string& requestedPath)
{
    const std::string path = requestedPath;  // a copy: the caller may pass the current path
    ConnectionProfile profile = FromFields();
    ProfileFields found;
    const ProfileReadResult result = ReadProfile(path, profile, found);
    if (result != ProfileReadResult::Xml) {
        // a file not in the XML form is read in the older form, with no profile current meanwhile
        m_path.clear();
        Changed();
    }
    if (result == ProfileReadResult::Unreadable) {
        ShowMessage(keys::kFileError, wxICON_INFORMATION, FileFailureDetails(path, FileAccess::Read));
        return false;
    }
    for (const ProfileControl& control : kProfileControls) {
        if (found.*control.found) {
            SetFieldText(m_frame, control.id, profile.*control.value);
        }
    }
    if (found.detailAttributes) {
        m_detailAttributes = profile.detailAttributes;
    }
    if (found.bindUser) {
        m_bindUser = profile.bindUser;
    }
    if (found.connection) {
        m_connection = ConnectionOptions{profile.startTls, profile.entryCap, profile.signIn};
    }
    m_path = path;
    if (m_hooks.loaded) {
        m_hooks.loaded(path);
    }
    Changed();
    return true;
}

bool ProfileSession::SaveTo(const std::string& requestedPath)
{
    // a copy: Save settings passes the current path, which is cleared while saving
    const std::string path = requestedPath;
    const ConnectionProfile profile = FromFields();
    m_path.clear();
    Changed();
    if (!WriteProfile(path, profile)) {
        ShowMessage(keys::kFileCreateError, wxICON_ERROR, WriteFailureDetails(path));
        return false;
    }
    m_path = path;
    Changed();
    return true;
}

void ProfileSession::ChooseDetailFields()
{
    COptionDetailsDlg dialog(&m_frame, m_detailAttributes, *m_language.Catalog());
    m_fonts.ApplyTo(&dialog, true);
    if (dialog.ShowModal() == wxID_OK) {
        SetDetailAttributes(dialog.DetailAttributes());
    }
}

void ProfileSession::ChooseConnection()
{
    CConnectionDlg dialog(&m_frame, m_bindUser, m_connection, *m_language.Catalog());
    m_fonts.ApplyTo(&dialog, true);
    if (dialog.ShowModal() == wxID_OK) {
        m_bindUser = dialog.BindUser();
        m_connection = dialog.Options();
        Changed();
    }
}

void ProfileSession::ShowMessage(const char* key, long icon, const std::string& details) const
{
    ShowMessageBox(&m_frame, m_language.Text(key), m_language.Text(keys::kError), icon, details);
}
