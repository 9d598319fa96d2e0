// clipped_text_test.cpp - every text of the main window and the dialogs shows whole in every
// shipped language: no label, check box or button smaller than its text, none lying over another
// control.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>

#include "dialogs/about_dialog.h"
#include "dialogs/connection_dialog.h"
#include "dialogs/detail_fields_dialog.h"
#include "dialogs/language_dialog.h"
#include "search_window/password_dialog.h"
#include "search_window_fixture.h"

namespace {

bool HasText(const wxWindow* window)
{
    return dynamic_cast<const wxStaticText*>(window) != nullptr || dynamic_cast<const wxCheckBox*>(window) != nullptr ||
           dynamic_cast<const wxButton*>(window) != nullptr;
}

/// Every text control of window that shows less than its text, or overlaps a sibling.
std::vector<std::string> ClippedTexts(wxWindow* window)
{
    std::vector<std::string> faults;
    const wxWindowList& children = window->GetChildren();
    for (wxWindow* child : children) {
        if (!child->IsShown()) {
            continue;
        }
        if (!HasText(child)) {
            if (!child->GetChildren().empty()) {
                for (const std::string& fault : ClippedTexts(child)) {
                    faults.push_back(fault);
                }
            }
            continue;
        }
        const std::string name = "\"" + FromWx(child->GetLabel()) + "\"";
        const wxSize given = child->GetSize();
        // a button's best size adds the theme's generous padding: its text and a little room must fit
        const wxSize best = dynamic_cast<wxButton*>(child) != nullptr
                                ? child->GetTextExtent(static_cast<wxButton*>(child)->GetLabelText()) + wxSize(8, 0)
                                : child->GetBestSize();
        if (best.x > given.x || best.y > given.y) {
            faults.push_back(name + " needs " + std::to_string(best.x) + "x" + std::to_string(best.y) + ", has " +
                             std::to_string(given.x) + "x" + std::to_string(given.y));
        }
        if (!wxRect(window->GetClientSize()).Contains(child->GetRect())) {
            faults.push_back(name + " reaches past its window's edge");
        }
        for (wxWindow* other : children) {
            if (other != child && other->IsShown() && other->GetRect().Intersects(child->GetRect()) &&
                !(other->GetRect().Contains(child->GetRect()) && !HasText(other))) {
                faults.push_back(name + " overlaps control " + std::to_string(other->GetId()));
            }
        }
    }
    return faults;
}

std::vector<std::string> ShippedLanguageFiles()
{
    std::vector<std::string> files{""};  // the built-in English
    for (const char* name : {"LangLDAP_Deutsch.ini", "LangLDAP_Francais.ini", "LangLDAP_Greek.ini",
                             "LangLDAP_Svenska.ini", "LangLDAP_Turkce.ini"}) {
        files.push_back(std::string(CORVANE_LANGUAGES_FOLDER) + "/" + name);
    }
    return files;
}

class ClippedText : public SearchWindowTest {};

}  // namespace

TEST_F(ClippedText, NoTextIsCutInAnyShippedLanguage)
{
    for (const std::string& file : ShippedLanguageFiles()) {
        SCOPED_TRACE(file.empty() ? "English" : file);
        Window().Language().Apply(file);
        PumpEvents();
        const auto catalog = Window().Language().Catalog();
        // the main window at its smallest, where its texts have the least room
        Window().SetSize(Window().GetMinSize());
        PumpFor(200);
        EXPECT_EQ(ClippedTexts(&Window()), std::vector<std::string>{});
        std::vector<wxWindow*> dialogs{
            new CConnectionDlg(&Window(), "cn=reader", ConnectionOptions{}, *catalog),
            new COptionDetailsDlg(&Window(), DetailSlots{}, *catalog),
            new CPasswordDlg(&Window(), "cn=reader", *catalog),
            new CLanguageDlg(&Window(), LanguageSelection{file, "", catalog}, "", ""),
            new CAboutDlg(&Window()),
        };
        for (wxWindow* dialog : dialogs) {
            SCOPED_TRACE(FromWx(dialog->GetLabel()));
            dialog->Show();
            PumpEvents();
            EXPECT_EQ(ClippedTexts(dialog), std::vector<std::string>{});
            dialog->Destroy();
        }
    }
    Window().Language().Apply("");
}
