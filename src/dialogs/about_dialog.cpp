// about_dialog.cpp - CAboutDlg: the template's controls at their dialog-unit rectangles, the fixed texts and
// links, the colours and the title font.
#include "dialogs/about_dialog.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/toplevel.h>

#include "dialogs/about_picture.h"
#include "dialogs/click_edit.h"
#include "dialogs/dialog_units.h"
#include "localisation/text_keys.h"
#include "maker_addresses.h"
#include "platform/screen.h"
#include "platform/text.h"

namespace {

enum class Kind { Label, Title, Link, Icon, Picture };

struct TemplateControl {
    int id;
    Kind kind;
    int x, y, width, height;
};

// the about box: 410 x 155 dialog units; everything but OK lies on a white panel
constexpr int kTemplateWidth = 410;
constexpr int kTemplateHeight = 155;
constexpr int kPanelId = 1034;
constexpr TemplateControl kControls[] = {
    {1030, Kind::Icon, 5, 5, 20, 20},      {1031, Kind::Picture, 5, 31, 58, 33},  {1023, Kind::Title, 130, 5, 270, 10},
    {1022, Kind::Label, 130, 20, 270, 10}, {1024, Kind::Label, 130, 30, 270, 10}, {1035, Kind::Label, 130, 65, 70, 10},
    {1029, Kind::Link, 204, 65, 165, 12},  {1036, Kind::Label, 130, 78, 70, 10},  {1037, Kind::Link, 204, 78, 165, 12},
    {1042, Kind::Label, 130, 91, 70, 10},  {1043, Kind::Link, 204, 91, 165, 12},  {1027, Kind::Link, 3, 100, 125, 12},
    {1026, Kind::Link, 3, 115, 125, 12},
};

const wxColour kLinkColour(0, 0, 255);

struct Link {
    int id;
    std::string text;
    std::string target;
};

/// The link fields in the order they are filled. The translations are the project's own, so each credit names
/// the team with one of its addresses; every mail link carries "mailto:".
std::vector<Link> Links()
{
    const std::string mail = kMakerMailAddress;
    const std::string host = kMakerWebHost;
    const std::string team = "The Corvane LDAP team";
    return {
        {1026, mail, "mailto:" + mail},
        {1027, host, host},
        {1029, team + " (" + mail + ")", "mailto:" + mail},
        {1037, team + " (" + host + ")", "http://" + host},
        {1043, team + " (" + mail + ")", "mailto:" + mail},
    };
}

/// The credit lines by control id, with their text keys.
struct Credit {
    int id;
    const char* key;
};
constexpr Credit kCredits[] = {{1035, keys::kFrenchBy}, {1036, keys::kGreekBy}, {1042, keys::kTurkishBy}};

std::string FixedText(int id)
{
    switch (id) {
        case 1023:
            return "Corvane LDAP";
        case 1022:
            return kVersionText;
        case 1024:
            return "Copyright \xC2\xA9 2026 The Corvane LDAP authors";
        default:
            for (const Credit& credit : kCredits) {
                if (credit.id == id) {
                    return EnglishDefault(credit.key);
                }
            }
            return std::string();
    }
}

/// The main window's icon at the size nearest 32 pixels, as a bitmap.
wxBitmap OwnerIcon(wxWindow* parent)
{
    auto* owner = dynamic_cast<wxTopLevelWindow*>(parent);
    if (owner == nullptr) {
        return wxBitmap();
    }
    const wxIcon icon = owner->GetIcons().GetIcon(32, wxIconBundle::FALLBACK_NEAREST_LARGER);
    if (!icon.IsOk()) {
        return wxBitmap();
    }
    wxBitmap bitmap;
    bitmap.CopyFromIcon(icon);
    return bitmap;
}

}  // namespace

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Info", wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)
{
    CreateControls();
    SetAffirmativeId(kOkId);
    SetEscapeId(kOkId);
}

void CAboutDlg::CreateControls()
{
    const DialogUnits du(*this);
    const wxRect panelRect = du.Rect(0, 0, kTemplateWidth, 131);
    auto* panel = new wxPanel(this, kPanelId, panelRect.GetPosition(), panelRect.GetSize(), wxBORDER_SUNKEN);
    panel->SetBackgroundColour(*wxWHITE);

    for (const TemplateControl& control : kControls) {
        const wxRect place = du.Rect(control.x, control.y, control.width, control.height);
        switch (control.kind) {
            case Kind::Icon:
                new wxStaticBitmap(panel, control.id, OwnerIcon(GetParent()), place.GetPosition());
                break;
            case Kind::Picture:
                // shown at its own size from the top left, like the template's picture control
                new wxStaticBitmap(panel, control.id, AboutPicture(ScreenDpi()), place.GetPosition());
                break;
            case Kind::Title: {
                auto* title = new wxStaticText(panel, control.id, ToWxLabel(FixedText(control.id)), place.GetPosition(),
                                               place.GetSize(), wxST_NO_AUTORESIZE);
                title->SetFont(GetFont().Bold());
                break;
            }
            case Kind::Label:
                new wxStaticText(panel, control.id, ToWxLabel(FixedText(control.id)), place.GetPosition(),
                                 place.GetSize(), wxST_NO_AUTORESIZE);
                break;
            case Kind::Link: {
                auto* field = new CClickEdit(panel, control.id, place.GetPosition(), place.GetSize());
                field->SetBackgroundColour(*wxWHITE);
                field->SetForegroundColour(kLinkColour);
                break;
            }
        }
    }
    for (const Link& link : Links()) {
        auto* field = static_cast<CClickEdit*>(panel->FindWindow(link.id));
        field->ChangeValue(ToWx(link.text));
        field->SetLink(link.target);
    }

    const wxRect okRect = du.Rect(174, 136, 60, 14);
    m_ok = new wxButton(this, kOkId, "OK", okRect.GetPosition(), okRect.GetSize());
    m_ok->SetDefault();
    SetClientSize(du.Size(kTemplateWidth, kTemplateHeight));
}

void CAboutDlg::SetTitleFont(const wxFont& font)
{
    if (wxWindow* title = FindWindow(1023)) {
        title->SetFont(font);
        title->Refresh();
    }
}

void CAboutDlg::FitLinkFields()
{
    wxWindow* panel = FindWindow(kPanelId);
    for (const Link& link : Links()) {
        auto* field = static_cast<CClickEdit*>(FindWindow(link.id));
        const int needed = field->GetTextExtent(field->GetValue()).x + field->GetCharWidth() * 2;
        if (needed > field->GetSize().x) {
            field->SetSize(std::min(needed, panel->GetClientSize().x - field->GetPosition().x), -1);
        }
    }
}

int CAboutDlg::Run(const std::string& okText)
{
    m_ok->SetLabel(ToWxLabel(okText));
    FitLinkFields();
    m_ok->SetFocus();
    CentreOnParent();
    return ShowModal();
}

void CAboutDlg::SetCreditTexts(const std::function<std::string(const char* key)>& text)
{
    for (const Credit& credit : kCredits) {
        if (wxWindow* line = FindWindow(credit.id)) {
            line->SetLabel(ToWxLabel(text(credit.key)));
        }
    }
}
