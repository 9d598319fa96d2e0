// help_menu.cpp - the "?" menu's commands: documents and the update page through the desktop's
// opener (a message names what cannot be handed to it), the about box with the current language's OK text.
#include "app/menus/help_menu.h"

#include <functional>
#include <memory>
#include <utility>

#include <wx/event.h>
#include <wx/icon.h>
#include <wx/window.h>

#include "app/fonts/font_settings.h"
#include "dialogs/about_dialog.h"
#include "dialogs/help_documents.h"
#include "localisation/text_keys.h"
#include "platform/command_ids.h"
#include "platform/help_format.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "search/search_rules.h"

namespace {

/// The about box in the program's fonts: every control takes the definition font's face,
/// character set and pitch at its own height; the title is the definition font in bold.
void ShowAbout(wxWindow& parent, FontSettings& fonts, const std::string& okText,
               const std::function<std::string(const char* key)>& text)
{
    CAboutDlg about(&parent);
    about.SetCreditTexts(text);
    fonts.ApplyTo(&about, false);
    wxFont title;
    fonts.CopyDefinitionFont(title);
    about.SetTitleFont(title.Bold());
    about.Run(okText);
}

/// Hands target to the desktop's opener; says so, naming it, when that cannot be done.
void Open(wxWindow* parent, const HelpMenuSources& sources, const std::string& target)
{
    if (ShellOpen(target) || !sources.text) {
        return;
    }
    // Plain replacement: a path is never a format.
    ShowMessageBox(parent, FillPlaceholder(sources.text(keys::kCannotOpen), target), sources.text(keys::kError),
                   wxICON_ERROR);
}

}  // namespace

void BindHelpMenu(wxWindow& window, FontSettings& fonts, HelpMenuSources sources)
{
    const auto shared = std::make_shared<const HelpMenuSources>(std::move(sources));
    const std::string& folder = shared->programFolder;
    wxWindow* parent = &window;
    FontSettings* programFonts = &fonts;
    const std::pair<int, std::function<void()>> commands[] = {
        {cmd::kHelp,
         [shared, folder, parent] {
             Open(parent, *shared, HelpFilePath(folder, shared->languageFile(), kHelpFileExtension));
         }},
        {cmd::kLicense,
         [shared, folder, parent] {
             Open(parent, *shared, LicenseFilePath(folder));
         }},
        {cmd::kReadMe,
         [shared, folder, parent] {
             Open(parent, *shared, ReadMeFilePath(folder));
         }},
        {cmd::kCheckUpdate,
         [shared, parent] {
             Open(parent, *shared, UpdateAddress());
         }},
        {cmd::kInfo,
         [shared, parent, programFonts] {
             ShowAbout(*parent, *programFonts, shared->okText(), shared->text);
         }},
    };
    for (const auto& [command, run] : commands) {
        window.Bind(
            wxEVT_MENU, [run](wxCommandEvent&) { run(); }, ToWxId(command));
    }
}
