// main_window.cpp - CLDAPDlg: construction from the template, start-up sequence, command wiring,
// LDAP.ini and close.
#include "app/frame/main_window.h"

#include <functional>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/generic/statbmpg.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include "app/app_icons.h"
#include "app/menus/document_menu_items.h"
#include "app/fonts/dpi_scaler.h"
#include "app/fonts/font_settings.h"
#include "app/menus/help_menu.h"
#include "app/sessions/language_session.h"
#include "app/menus/main_menu.h"
#include "app/frame/main_window_template.h"
#include "app/sessions/profile_session.h"
#include "app/menus/recent_menu.h"
#include "app/frame/search_gate.h"
#include "app/frame/window_state.h"
#include "localisation/text_keys.h"
#include "platform/command_ids.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "search/attribute_list.h"
#include "search_window/bind_login.h"
#include "search_window/result_list.h"
#include "search_window/search_commands.h"
#include "search_window/sort_menu.h"
#include "storage/app_settings.h"
#include "storage/file_utils.h"

namespace {

void SetUpResultList(CResultList& list)
{
    const DpiScaler scaler;
    const int size = scaler.Scale(20);
    list.SetColumns({wxString()}, list.GetSize().x - 20);
    wxBitmap icon = scaler.StretchBitmap(ResultIcon(20), 20, 20, size, size);
    icon.SetMask(new wxMask(icon, *wxBLACK));
    list.SetItemIcon(icon);
}

}  // namespace

CLDAPDlg::CLDAPDlg(const std::vector<std::string>& args) : wxFrame(nullptr, wxID_ANY, "Corvane LDAP")
{
    // a profile named on the command line is taken relative to where the program was started,
    // before SavePath.ini may move the current directory
    const std::string launchFolder = CurrentFolder();

    SetMenuBar(CreateMainMenuBar());
    CreateStatusBar(1);
    CreateControls();
    // Tab walks the fields as they are seen: the Swap check box after the search string, then the buttons
    FindWindow(ctl::kSwap)->MoveAfterInTabOrder(FindWindow(ctl::kSearchString));
    m_fontSettings = std::make_unique<FontSettings>(this);
    m_folders = ProgramFolders::AtStart();
    RemoveMissingDocumentItems(*GetMenuBar(), m_folders);
    SetIcons(WindowIcons());
    SetAcceleratorTable(MainAcceleratorTable());

    SearchControls controls;
    controls.window = this;
    controls.server = static_cast<wxTextCtrl*>(FindWindow(ctl::kServer));
    controls.port = static_cast<wxTextCtrl*>(FindWindow(ctl::kPort));
    controls.baseDn = static_cast<wxTextCtrl*>(FindWindow(ctl::kBaseDn));
    controls.preselection = static_cast<wxTextCtrl*>(FindWindow(ctl::kPreselection));
    controls.searchAttribute = static_cast<wxComboBox*>(FindWindow(ctl::kSearchAttribute));
    controls.resultAttribute = static_cast<wxComboBox*>(FindWindow(ctl::kResultAttribute));
    controls.searchString = static_cast<wxTextCtrl*>(FindWindow(ctl::kSearchString));
    controls.swap = static_cast<wxCheckBox*>(FindWindow(ctl::kSwap));
    controls.details = static_cast<wxButton*>(FindWindow(ctl::kDetails));
    controls.list = static_cast<CResultList*>(FindWindow(ctl::kResultList));
    controls.status = GetStatusBar();
    m_commands = std::make_unique<SearchCommands>(controls);
    m_commands->SetBindLogin(std::make_unique<BindLogin>(this));
    m_sortMenu = std::make_unique<SortMenu>(
        *this, *GetMenuBar()->FindItem(ToWxId(cmd::kSortBy))->GetSubMenu(), *controls.list,
        [this](unsigned column, bool ascending) { m_commands->SortByColumn(column, ascending); });

    wxMenu* fileMenu = GetMenuBar()->GetMenu(0);
    m_recentMenu = std::make_unique<RecentMenu>(this, fileMenu->FindItemByPosition(kRecentMenuPosition)->GetSubMenu(),
                                                [this](const std::string& path) {
                                                    // an entry whose file is gone does nothing
                                                    if (FileExists(path)) {
                                                        m_profile->Load(path);
                                                    }
                                                });
    // the commands get copies of what they read: the language's catalogue and the profile's values
    m_language =
        std::make_unique<LanguageSession>(*this, m_folders, *m_fontSettings, [this](const LanguageSession& language) {
            // the banner's subtitle is drawn in the language's text
            static_cast<wxGenericStaticBitmap*>(FindWindow(ctl::kBanner))
                ->SetBitmap(BannerBitmap(ToWx(language.Text(keys::kSubtitle))));
            m_windowState->Arrange();            // label widths follow their texts
            m_windowState->UpdateMinimumSize();  // and so may the heights of their rows
            m_commands->SetCatalog(language.Catalog());
            m_commands->RetranslateStatus();
        });
    ProfileSession::Hooks hooks;
    hooks.cleared = [this] {
        m_commands->ClearList();
    };
    hooks.loaded = [this](const std::string& path) {
        m_recentMenu->Add(path, true);
    };
    hooks.changed = [this](const ProfileSession& profile) {
        m_commands->SetDetailAttributes(profile.DetailAttributes());
        m_commands->SetBindUser(profile.BindUser());
        m_commands->SetConnectionOptions(profile.Connection());
    };
    m_profile = std::make_unique<ProfileSession>(*this, *m_language, *m_fontSettings, std::move(hooks));
    BindCommands();

    m_profile->New();
    m_language->SelectStartup("");
    LoadApplicationSettings(m_folders.storage + "LDAP.ini");
    SetUpResultList(*static_cast<CResultList*>(FindWindow(ctl::kResultList)));

    if (!args.empty()) {
        if (args.front() == "--ENGLISH") {
            m_language->WriteEnglishFile();
        } else {
            m_profile->Load(AbsoluteAgainst(args.front(), launchFolder));
        }
    }
    m_windowState->UpdateMinimumSize();
    FindWindow(ctl::kServer)->SetFocus();
    // the list's real rows measure the smallest window that shows three of them
    GuardCommandsDuringSearch(*this, *m_panel, *m_commands, [this] { m_windowState->UpdateMinimumSize(); });
}

CLDAPDlg::~CLDAPDlg() = default;

void CLDAPDlg::CreateControls()
{
    m_panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    m_panel->SetBackgroundColour(*wxWHITE);
    for (const TemplateControl& control : MainWindowCreationOrder()) {
        const wxPoint position = m_panel->ConvertDialogToPixels(wxPoint(control.x, control.y));
        const wxSize size = m_panel->ConvertDialogToPixels(wxSize(control.width, control.height));
        const wxString text = ToWxLabel(control.text);
        switch (control.kind) {
            case ControlKind::Label:
                new wxStaticText(m_panel, control.id, text, position, size, wxST_NO_AUTORESIZE);
                break;
            case ControlKind::Edit:
                new wxTextCtrl(m_panel, control.id, wxString(), position, size, wxTE_PROCESS_ENTER);
                break;
            case ControlKind::ComboBox:
            case ControlKind::SortedComboBox: {
                wxArrayString names;
                for (const char* name : AttributeNames()) {
                    names.Add(ToWx(name));
                }
                long style = wxCB_DROPDOWN | wxTE_PROCESS_ENTER;
                if (control.kind == ControlKind::SortedComboBox) {
                    style |= wxCB_SORT;
                }
                // the template height is the open list's; the closed box keeps its natural height
                new wxComboBox(m_panel, control.id, wxString(), position, wxSize(size.x, -1), names, style);
                break;
            }
            case ControlKind::DefaultButton:
                (new wxButton(m_panel, control.id, text, position, size))->SetDefault();
                break;
            case ControlKind::Button:
                (new wxButton(m_panel, control.id, text, position, size))->Disable();
                break;
            case ControlKind::CheckBox:
                new wxCheckBox(m_panel, control.id, text, position, size);
                break;
            case ControlKind::ListView:
                new CResultList(m_panel, control.id, position, size);
                break;
            case ControlKind::Picture:
                // the banner shows at its natural size from the top left, never stretched
                new wxGenericStaticBitmap(m_panel, control.id, BannerBitmap(wxString()), position);
                break;
        }
    }
    // every control on white; labels and the check box show the panel through
    for (wxWindow* child : m_panel->GetChildren()) {
        if (dynamic_cast<wxStaticText*>(child) == nullptr && dynamic_cast<wxCheckBox*>(child) == nullptr) {
            child->SetBackgroundColour(*wxWHITE);
        }
    }
    m_windowState = std::make_unique<WindowState>(*this, *m_panel);
}

void CLDAPDlg::ShowAtStart()
{
    m_windowState->ShowAtStart();
}

void CLDAPDlg::BindCommands()
{
    const auto onMenu = [this](int command, std::function<void()> handler) {
        Bind(
            wxEVT_MENU, [handler = std::move(handler)](wxCommandEvent&) { handler(); }, ToWxId(command));
    };
    onMenu(cmd::kNew, [this] { m_profile->New(); });
    onMenu(cmd::kOpen, [this] { m_profile->Open(); });
    onMenu(cmd::kSave, [this] { m_profile->Save(); });
    onMenu(cmd::kSaveAs, [this] { m_profile->SaveAs(); });
    onMenu(cmd::kExit, [this] { Close(); });
    Bind(wxEVT_CLOSE_WINDOW, &CLDAPDlg::OnClose, this);
    m_windowState->BindSizeAndMove();
    onMenu(cmd::kSearch, [this] { m_commands->Search(); });
    onMenu(cmd::kShowDetails, [this] { m_commands->Details(); });
    onMenu(cmd::kExportResult, [this] { m_commands->Export(); });
    onMenu(cmd::kExportLdif, [this] { m_commands->ExportLdif(); });
    onMenu(cmd::kCopy, [this] { m_commands->CopyRows(); });
    onMenu(cmd::kBaseDns, [this] { m_commands->ChooseBaseDn(); });
    onMenu(cmd::kOptionsDetails, [this] { m_profile->ChooseDetailFields(); });
    onMenu(cmd::kLanguage, [this] { m_language->Choose(); });
    onMenu(cmd::kConnection, [this] { m_profile->ChooseConnection(); });
    const LanguageSession& language = *m_language;
    BindHelpMenu(*this, *m_fontSettings,
                 {m_folders.program, [&language] { return language.File(); },
                  [&language] { return language.Text(keys::kBtnOK); },
                  [&language](const char* key) {
                      return language.Text(key);
                  }});

    m_panel->Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { m_commands->Search(); }, ctl::kSearch);
    m_panel->Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { m_commands->Details(); }, ctl::kDetails);
    // Enter in any field runs the default button, Search
    m_panel->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { m_commands->Search(); });
    m_panel->Bind(
        EVT_RESULT_LIST_DOUBLE_CLICK, [this](wxCommandEvent&) { m_commands->Details(); }, ctl::kResultList);
    m_panel->Bind(
        wxEVT_DATAVIEW_COLUMN_SORTED,
        [this](wxDataViewEvent& event) {
            if (const wxDataViewColumn* column = event.GetDataViewColumn()) {
                m_commands->SortByColumn(column->GetModelColumn(), column->IsSortOrderAscending());
            }
        },
        ctl::kResultList);

    const auto onDrop = [this](wxDropFilesEvent& event) {
        std::vector<std::string> files;
        for (int i = 0; i < event.GetNumberOfFiles(); ++i) {
            files.push_back(FromWx(event.GetFiles()[i]));
        }
        m_profile->Drop(files);
    };
    DragAcceptFiles(true);
    m_panel->DragAcceptFiles(true);
    Bind(wxEVT_DROP_FILES, onDrop);
    m_panel->Bind(wxEVT_DROP_FILES, onDrop);
}

void CLDAPDlg::LoadApplicationSettings(const std::string& path)
{
    const AppSettings settings = LoadAppSettings(path);
    m_recentMenu->Restore(settings.recent, settings.deactivate);

    FontSettings& fonts = *m_fontSettings;
    fonts.SetUseBuiltInFont(settings.useBuiltInFont);
    fonts.Rebuild();
    fonts.SetUseFontSettings(settings.useFontSettings);
    fonts.SetUseFontHeight(settings.useFontHeight);
    if (fonts.UseFontSettings()) {
        const FontDescription stored = WithStoredValues(fonts.Definition(), settings.font, fonts.UseFontHeight());
        fonts.SetFaceName(stored.faceName);
        fonts.SetCharSet(stored.charSet);
        fonts.SetHeight(stored.height);
        fonts.SetPitchAndFamily(stored.pitchAndFamily);
    }
    fonts.ApplyTo(this, true);

    m_windowState->Restore(settings.winPos);
    m_language->Restore(settings.languageName);
}

void CLDAPDlg::SaveApplicationSettings(const std::string& path)
{
    AppSettings settings;
    settings.recent = m_recentMenu->List().Entries();
    settings.deactivate = m_recentMenu->List().Deactivated();
    const FontSettings& fonts = *m_fontSettings;
    settings.useBuiltInFont = fonts.UseBuiltInFont();
    settings.useFontSettings = fonts.UseFontSettings();
    settings.useFontHeight = fonts.UseFontHeight();
    settings.font = {fonts.FaceName(), fonts.CharSet(), fonts.Height(), fonts.PitchAndFamily()};
    settings.winPos = m_windowState->Saved();
    settings.languageName = m_language->Saved();
    // A failed save keeps the previous file whole; the user is told why this run's settings are lost.
    if (!SaveAppSettings(path, settings)) {
        ShowMessageBox(this, m_language->Text(keys::kFileCreateError), m_language->Text(keys::kError), wxICON_ERROR,
                       WriteFailureDetails(path));
    }
}

void CLDAPDlg::OnClose(wxCloseEvent& event)
{
    // every way out comes here (close box, File > Exit, Ctrl+Q, the session ending): save once
    if (!m_settingsSaved) {
        m_settingsSaved = true;
        SaveApplicationSettings(m_folders.storage + "LDAP.ini");
    }
    event.Skip();  // the frame's own handling destroys the window
}
