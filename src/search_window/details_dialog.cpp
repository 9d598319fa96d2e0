// details_dialog.cpp - CDetailsDialog: building the window, its texts, resize rule, modal loop and Save.
#include "search_window/details_dialog.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "platform/clipboard.h"
#include "platform/command_ids.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "search_window/photo_strip.h"
#include "storage/file_utils.h"

namespace {

std::function<void(CDetailsDialog&)>& ShownHook()
{
    static std::function<void(CDetailsDialog&)> hook;
    return hook;
}

// The details window in dialog units: the edit at (0, 0) 371 x 142, OK 58 x 14 at (157, 145), and the
// client area that holds both.
constexpr int kEditWidthDu = 371;
constexpr int kEditHeightDu = 142;
constexpr int kOkLeftDu = 157;
constexpr int kOkTopDu = 145;
constexpr int kOkWidthDu = 58;
constexpr int kOkHeightDu = 14;
constexpr int kClientHeightDu = 162;

}  // namespace

CDetailsDialog::CDetailsDialog(wxWindow* parent)
    : wxFrame(parent, wxID_ANY, "Details", wxDefaultPosition, wxDefaultSize,
              (wxDEFAULT_FRAME_STYLE & ~wxMINIMIZE_BOX) | (parent ? wxFRAME_FLOAT_ON_PARENT : 0)),
      m_texts(std::make_shared<const TextCatalog>())
{
    if (parent) {
        // The main window carries the chosen font; the details window shows its text in it too.
        SetFont(parent->GetFont());
    }

    const auto english = [](TextTarget target, int id) {
        return EnglishAt(DetailsWindowKeys(), target, id);
    };
    auto* fileMenu = new wxMenu;
    fileMenu->Append(ToWxId(cmd::kDetailsSave), english(TextTarget::MenuCommand, cmd::kDetailsSave));
    fileMenu->Append(ToWxId(cmd::kDetailsSavePhoto), english(TextTarget::MenuCommand, cmd::kDetailsSavePhoto));
    fileMenu->Enable(ToWxId(cmd::kDetailsSavePhoto), false);
    auto* editMenu = new wxMenu;
    editMenu->Append(ToWxId(cmd::kDetailsCopy), english(TextTarget::MenuCommand, cmd::kDetailsCopy));
    auto* bar = new wxMenuBar;
    bar->Append(fileMenu, english(TextTarget::MenuBarPosition, menu_pos::kFile));
    bar->Append(editMenu, english(TextTarget::MenuBarPosition, menu_pos::kEdit));
    SetMenuBar(bar);

    m_panel = new wxPanel(this, wxID_ANY);
    m_panel->SetFont(GetFont());
    m_edit = new wxTextCtrl(m_panel, kEditId, wxString(), wxPoint(0, 0),
                            m_panel->ConvertDialogToPixels(wxSize(kEditWidthDu, kEditHeightDu)),
                            wxTE_MULTILINE | wxVSCROLL | wxTE_DONTWRAP | wxTE_NOHIDESEL);
    m_edit->SetFont(GetFont());
    // wxID_OK stands for the template's button 1: the toolkit's OK behaviour comes with it.
    m_ok = new wxButton(m_panel, wxID_OK, "OK", m_panel->ConvertDialogToPixels(wxPoint(kOkLeftDu, kOkTopDu)),
                        m_panel->ConvertDialogToPixels(wxSize(kOkWidthDu, kOkHeightDu)));
    m_ok->SetFont(GetFont());
    m_ok->SetDefault();

    SetClientSize(m_panel->ConvertDialogToPixels(wxSize(kEditWidthDu, kClientHeightDu)));
    if (parent) {
        CentreOnParent();
    }

    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { SaveText(); }, ToWxId(cmd::kDetailsSave));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { SavePhoto(); }, ToWxId(cmd::kDetailsSavePhoto));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { CopyText(); }, ToWxId(cmd::kDetailsCopy));
    m_ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_OK); });
    m_panel->Bind(wxEVT_SIZE, &CDetailsDialog::OnSize, this);
    Bind(wxEVT_CLOSE_WINDOW, &CDetailsDialog::OnClose, this);
    Bind(wxEVT_CHAR_HOOK, &CDetailsDialog::OnCharHook, this);
}

CDetailsDialog::~CDetailsDialog() = default;

void CDetailsDialog::CopyText()
{
    if (m_edit->CanCopy()) {
        m_edit->Copy();
        return;
    }
    PutTextOnClipboard(m_edit->GetValue());
}

void CDetailsDialog::SetShownHook(std::function<void(CDetailsDialog&)> hook)
{
    ShownHook() = std::move(hook);
}

int CDetailsDialog::ShowModal()
{
    m_edit->ChangeValue(ToWx(m_detailsText));
    // Kept to tell later whether the user changed the text (the edit may store line ends its
    // own way, so the comparison is with what it holds, not with the text given).
    m_shownText = m_edit->GetValue();
    ApplyDetailsWindowTexts();

    m_retCode = wxID_CANCEL;
    wxWindowDisabler disabler(this);
    Show();
    Raise();
    m_edit->SetFocus();

    wxGUIEventLoop loop;
    m_loop = &loop;
    if (ShownHook()) {
        CallAfter([this] {
            if (IsModal() && ShownHook()) {
                ShownHook()(*this);
            }
        });
    }
    loop.Run();
    m_loop = nullptr;
    Hide();
    return m_retCode;
}

void CDetailsDialog::EndModal(int retCode)
{
    if (!m_loop) {
        return;
    }
    m_retCode = retCode;
    m_loop->ScheduleExit(retCode);
}

void CDetailsDialog::ApplyDetailsWindowTexts()
{
    if (GetMenuBar() == nullptr) {
        return;
    }
    TextPlaces places = PlacesOf(this, m_panel);
    places.store = [this](const TextKey& key, const std::string& text) {
        (key.key == std::string_view(keys::kDetailsPhotoFilter) ? m_photoFilter : m_fileFilter) = text;
    };
    ApplyTexts(DetailsWindowKeys(), *m_texts, places);
}

DetailsLayout CDetailsDialog::LayoutFor(const wxSize& client, const wxPoint& editOrigin, int photosWidth)
{
    DetailsLayout layout;
    layout.edit = wxRect(editOrigin.x, editOrigin.y, client.x - 2 * editOrigin.x, client.y - 40);
    layout.ok = wxRect((client.x - 70) / 2, client.y - 35, 70, 25);
    if (photosWidth > 0) {
        const int width = std::min(photosWidth, layout.edit.width / 2);
        layout.photos = wxRect(layout.edit.x, layout.edit.y, width, layout.edit.height);
        layout.edit.x += width;
        layout.edit.width -= width;
    }
    return layout;
}

void CDetailsDialog::SetPhotos(const std::vector<EntryPhoto>& photos)
{
    if (m_photos != nullptr || photos.empty()) {
        return;
    }
    auto* strip = new PhotoStrip(m_panel, photos);
    if (strip->Count() == 0) {
        strip->Destroy();
        return;
    }
    m_photos = strip;
    GetMenuBar()->Enable(ToWxId(cmd::kDetailsSavePhoto), true);
    // The text keeps its width; the window widens by the pictures' column.
    SetClientSize(GetClientSize() + wxSize(m_photos->StripWidth(), 0));
}

void CDetailsDialog::SavePhoto()
{
    const EntryPhoto* photo = m_photos ? m_photos->Chosen() : nullptr;
    if (photo == nullptr) {
        return;
    }
    const std::string extension = PhotoExtension(photo->bytes);
    const std::optional<std::string> path =
        AskFilePath(this, FileDialogMode::Save, extension, m_photoFilter,
                    m_texts->LookupText(keys::kSelectFile, EnglishDefault(keys::kSelectFile)));
    if (!path) {
        return;
    }
    if (!WriteFileReplacing(*path, photo->bytes)) {
        // Fixed texts, as for the details text: this message is not localised.
        ShowMessageBox(this, "Cannot create file", "ERROR", wxICON_NONE, WriteFailureDetails(*path));
    }
}

void CDetailsDialog::OnSize(wxSizeEvent& event)
{
    event.Skip();
    const wxSize client = m_panel->GetClientSize();
    if (!m_edit || client.x <= 0 || client.y <= 0) {
        return;
    }
    // The edit's origin is the template's (0, 0); the pictures' column, when shown, takes its left.
    const DetailsLayout layout = LayoutFor(client, wxPoint(0, 0), m_photos ? m_photos->StripWidth() : 0);
    m_edit->SetSize(layout.edit);
    m_ok->SetSize(layout.ok);
    if (m_photos) {
        m_photos->SetSize(layout.photos);
    }
}

void CDetailsDialog::OnClose(wxCloseEvent& event)
{
    // The opener destroys the window after ShowModal returns; closing only ends the loop.
    EndModal(wxID_CANCEL);
    if (event.CanVeto()) {
        event.Veto();
    } else {
        event.Skip();
    }
}

void CDetailsDialog::OnCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE && IsModal()) {
        EndModal(wxID_CANCEL);
        return;
    }
    event.Skip();
}

std::string CDetailsDialog::WithCrLfLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
    return out;
}

std::string CDetailsDialog::TextToSave() const
{
    const wxString current = m_edit->GetValue();
    if (current == m_shownText) {
        // Unedited: the text exactly as it was built, whatever the edit did to its line ends
        // or to bytes the display encoding cannot hold.
        return m_detailsText;
    }
    // Edited: new lines typed by the user (and any the edit turned into bare LF) become CR LF,
    // the line end of every file the program writes.
    return WithCrLfLineEnds(FromWx(current));
}

void CDetailsDialog::SaveText()
{
    const std::optional<std::string> path =
        AskFilePath(this, FileDialogMode::Save, "txt", m_fileFilter,
                    m_texts->LookupText(keys::kSelectFile, EnglishDefault(keys::kSelectFile)));
    if (!path) {
        return;
    }
    if (!WriteFileReplacing(*path, TextToSave())) {
        // Fixed texts: this message is not localised.
        ShowMessageBox(this, "Cannot create file", "ERROR", wxICON_NONE, WriteFailureDetails(*path));
    }
}
