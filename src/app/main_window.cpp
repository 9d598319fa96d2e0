// main_window.cpp - CLDAPDlg: construction from the template, start-up sequence, command wiring, close.
#include "app/main_window.h"

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
#include "app/dpi_scaler.h"
#include "app/font_settings.h"
#include "app/help_menu.h"
#include "app/main_menu.h"
#include "app/main_window_resizer.h"
#include "app/main_window_template.h"
#include "app/recent_menu.h"
#include "app/search_gate.h"
#include "app/start_placement_guard.h"
#include "dialogs/connection_dialog.h"
#include "dialogs/detail_fields_dialog.h"
#include "localisation/english_file.h"
#include "localisation/text_keys.h"
#include "platform/command_ids.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/text_codec.h"
#include "search/attribute_list.h"
#include "search_window/bind_login.h"
#include "search_window/result_list.h"
#include "search_window/search_commands.h"
#include "storage/file_utils.h"

CLDAPDlg::CLDAPDlg(const std::vector<std::string>& args) : wxFrame(nullptr, wxID_ANY, "Corvane LDAP")
{
    // a profile named on the command line is taken relative to where the program was started,
    // before SavePath.ini may move the current directory
    const std::string launchFolder = CurrentFolder();

    SetMenuBar(CreateMainMenuBar());
    CreateStatusBar(1);
    CreateControls();
    m_fontSettings = std::make_unique<FontSettings>(this);
    SetUpFolders();
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
    m_commands = std::make_unique<SearchCommands>(controls, [this](const char* key) { return Text(key); });
    m_commands->SetDetailAttributes(&m_detailAttributes);
    m_commands->SetLanguageFile(&m_currentLanguageFile);
    m_bindLogin = std::make_unique<BindLogin>(this, &m_bindUser, &m_currentLanguageFile);
    m_commands->SetBindLogin(m_bindLogin.get());
    m_commands->SetConnectionOptions(&m_connection);

    wxMenu* fileMenu = GetMenuBar()->GetMenu(0);
    m_recentMenu = std::make_unique<RecentMenu>(this, fileMenu->FindItemByPosition(kRecentMenuPosition)->GetSubMenu(),
                                                m_recent, [this](const std::string& path) { OpenRecent(path); });
    BindCommands();

    NewProfile();
    m_detailAttributes = DefaultDetailSlots();
    SelectStartupLanguage("");
    LoadApplicationSettings(m_storageFolder + "LDAP.ini");
    SetUpResultList();

    if (!args.empty()) {
        if (args.front() == "--ENGLISH")
            WriteEnglishLanguageFile();
        else
            LoadProfile(AbsoluteAgainst(args.front(), launchFolder));
    }
    UpdateMinimumSize();
    FindWindow(ctl::kServer)->SetFocus();
    GuardCommandsDuringSearch(*this, *m_panel, *m_commands);
}

CLDAPDlg::~CLDAPDlg() = default;

void CLDAPDlg::CreateControls()
{
    m_panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    m_panel->SetBackgroundColour(*wxWHITE);
    for (const TemplateControl& control : MainWindowTemplate()) {
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
                for (const char* name : AttributeNames())
                    names.Add(ToWx(name));
                long style = wxCB_DROPDOWN | wxTE_PROCESS_ENTER;
                if (control.kind == ControlKind::SortedComboBox)
                    style |= wxCB_SORT;
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
                new wxGenericStaticBitmap(m_panel, control.id, BannerBitmap(), position);
                break;
        }
    }
    // every control on white; labels and the check box show the panel through
    for (wxWindow* child : m_panel->GetChildren())
        if (dynamic_cast<wxStaticText*>(child) == nullptr && dynamic_cast<wxCheckBox*>(child) == nullptr)
            child->SetBackgroundColour(*wxWHITE);
    m_resizer = std::make_unique<MainWindowResizer>(m_panel);
    const LayoutSize client = m_resizer->DefaultClientSize();
    SetClientSize(client.width, client.height);
    SetMinSize(wxSize(kMinimumWindowSize.width, kMinimumWindowSize.height));
    m_placementGuard = std::make_unique<StartPlacementGuard>(this);
}

void CLDAPDlg::ArrangeControls()
{
    if (m_resizer != nullptr && !IsIconized())
        m_resizer->Arrange();
}

void CLDAPDlg::SetUpResultList()
{
    auto* list = static_cast<CResultList*>(FindWindow(ctl::kResultList));
    const DpiScaler scaler;
    const int size = scaler.Scale(20);
    list->SetColumns({wxString()}, list->GetSize().x - 20);
    wxBitmap icon = scaler.StretchBitmap(ResultIcon(20), 20, 20, size, size);
    icon.SetMask(new wxMask(icon, *wxBLACK));
    list->SetItemIcon(icon);
}

void CLDAPDlg::BindCommands()
{
    const auto onMenu = [this](int command, void (CLDAPDlg::*handler)()) {
        Bind(
            wxEVT_MENU, [this, handler](wxCommandEvent&) { (this->*handler)(); }, ToWxId(command));
    };
    onMenu(cmd::kNew, &CLDAPDlg::NewProfile);
    onMenu(cmd::kOpen, &CLDAPDlg::OpenProfile);
    onMenu(cmd::kSave, &CLDAPDlg::SaveProfileCommand);
    onMenu(cmd::kSaveAs, &CLDAPDlg::SaveProfileAs);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, ToWxId(cmd::kExit));
    Bind(wxEVT_CLOSE_WINDOW, &CLDAPDlg::OnClose, this);
    Bind(wxEVT_SIZE, &CLDAPDlg::OnFrameSize, this);
    Bind(wxEVT_MOVE, [this](wxMoveEvent& event) {
        event.Skip();
        if (!IsIconized() && !IsMaximized()) {
            const wxRect rect = GetRect();
            m_normalRect = {rect.GetLeft(), rect.GetTop(), rect.GetLeft() + rect.GetWidth(),
                            rect.GetTop() + rect.GetHeight()};
        }
    });
    m_panel->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        ArrangeControls();
    });
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_commands->Search(); }, ToWxId(cmd::kSearch));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_commands->Details(); }, ToWxId(cmd::kShowDetails));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_commands->Export(); }, ToWxId(cmd::kExportResult));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_commands->ExportLdif(); }, ToWxId(cmd::kExportLdif));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_commands->CopyRows(); }, ToWxId(cmd::kCopy));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_commands->ChooseBaseDn(); }, ToWxId(cmd::kBaseDns));
    onMenu(cmd::kOptionsDetails, &CLDAPDlg::ChooseDetailFields);
    onMenu(cmd::kLanguage, &CLDAPDlg::ChooseLanguage);
    onMenu(cmd::kConnection, &CLDAPDlg::ChooseConnection);
    BindHelpMenu(*this, *m_fontSettings,
                 {m_programFolder, [this] { return m_currentLanguageFile; },
                  [this] {
                      return Text(keys::kBtnOK);
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
            if (const wxDataViewColumn* column = event.GetDataViewColumn())
                m_commands->SortByColumn(column->GetModelColumn(), column->IsSortOrderAscending());
        },
        ctl::kResultList);

    DragAcceptFiles(true);
    m_panel->DragAcceptFiles(true);
    Bind(wxEVT_DROP_FILES, &CLDAPDlg::OnDropFiles, this);
    m_panel->Bind(wxEVT_DROP_FILES, &CLDAPDlg::OnDropFiles, this);
}

void CLDAPDlg::OnDropFiles(wxDropFilesEvent& event)
{
    std::vector<std::string> files;
    for (int i = 0; i < event.GetNumberOfFiles(); ++i)
        files.push_back(FromWx(event.GetFiles()[i]));
    DropProfile(files);
}

wxTextEntry* CLDAPDlg::Entry(int id) const
{
    return dynamic_cast<wxTextEntry*>(FindWindow(id));
}

std::string CLDAPDlg::FieldText(int id) const
{
    const wxTextEntry* entry = Entry(id);
    return entry != nullptr ? CutToBytes(FromWx(entry->GetValue()), kFieldLimit) : std::string();
}

void CLDAPDlg::SetFieldText(int id, const std::string& text)
{
    if (wxTextEntry* entry = Entry(id))
        entry->ChangeValue(ToWx(text));
}

std::string CLDAPDlg::Text(const char* key) const
{
    const auto found = m_texts.find(key);
    if (found != m_texts.end())
        return found->second;
    return EnglishText(key);
}

void CLDAPDlg::ChooseDetailFields()
{
    COptionDetailsDlg dialog(this, m_detailAttributes, m_currentLanguageFile);
    Fonts().ApplyTo(&dialog, true);
    if (dialog.ShowModal() == wxID_OK)
        m_detailAttributes = dialog.DetailAttributes();
}

void CLDAPDlg::ChooseConnection()
{
    CConnectionDlg dialog(this, m_bindUser, m_connection, m_currentLanguageFile);
    Fonts().ApplyTo(&dialog, true);
    if (dialog.ShowModal() == wxID_OK) {
        m_bindUser = dialog.BindUser();
        m_connection = dialog.Options();
        UpdateTitle();
    }
}

void CLDAPDlg::ShowMessage(const char* key, long icon, const std::string& details)
{
    ShowMessageBox(this, Text(key), Text(keys::kError), icon, details);
}
