// help_menu.cpp - the "?" menu's commands: documents and the update page through the desktop's
// opener (the result is not looked at), the about box with the current language's OK text.
#include "app/help_menu.h"

#include <functional>
#include <memory>
#include <utility>

#include <wx/event.h>
#include <wx/window.h>

#include "app/font_settings.h"
#include "dialogs/about_dialog.h"
#include "dialogs/help_documents.h"
#include "localisation/text_keys.h"
#include "platform/command_ids.h"
#include "platform/help_format.h"
#include "platform/shell.h"

namespace {

/// The about box in the program's fonts: every control takes the definition font's face,
/// character set and pitch at its own height; the title is the definition font in bold.
void ShowAbout(wxWindow& parent, FontSettings& fonts, const std::string& okText)
{
    CAboutDlg about(&parent);
    fonts.ApplyTo(&about, false);
    wxFont title;
    fonts.CopyDefinitionFont(title);
    about.SetTitleFont(title.Bold());
    about.Run(okText);
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
         [shared, folder] {
             ShellOpen(HelpFilePath(folder, shared->languageFile(), kHelpFileExtension));
         }},
        {cmd::kLicense,
         [folder] {
             ShellOpen(LicenseFilePath(folder));
         }},
        {cmd::kReadMe,
         [folder] {
             ShellOpen(ReadMeFilePath(folder));
         }},
        {cmd::kCheckUpdate,
         [] {
             ShellOpen(UpdateAddress());
         }},
        {cmd::kInfo,
         [shared, parent, programFonts] {
             ShowAbout(*parent, *programFonts, shared->okText());
         }},
    };
    for (const auto& [command, run] : commands)
        window.Bind(
            wxEVT_MENU, [run](wxCommandEvent&) { run(); }, ToWxId(command));
}
