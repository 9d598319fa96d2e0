// help_menu.cpp - the "?" menu's commands: documents and the update page through the desktop's
// opener (the result is not looked at), the about box with the current language's OK text.
#include "app/help_menu.h"

#include <functional>
#include <utility>

#include "app/font_settings.h"
#include "app/main_window.h"
#include "dialogs/about_dialog.h"
#include "dialogs/help_documents.h"
#include "localisation/text_keys.h"
#include "platform/command_ids.h"
#include "platform/help_format.h"
#include "platform/shell.h"

namespace {

/// The about box in the program's fonts: every control takes the definition font's face,
/// character set and pitch at its own height; the title is the definition font in bold.
void ShowAbout(CLDAPDlg& main)
{
    CAboutDlg about(&main);
    FontSettings& fonts = main.Fonts();
    fonts.ApplyTo(&about, false);
    wxFont title;
    fonts.CopyDefinitionFont(title);
    about.SetTitleFont(title.Bold());
    about.Run(main.Text(keys::kBtnOK));
}

}  // namespace

void BindHelpMenu(CLDAPDlg& window)
{
    CLDAPDlg* main = &window;
    const std::pair<int, std::function<void()>> commands[] = {
        {cmd::kHelp,
         [main] {
             ShellOpen(HelpFilePath(main->ProgramFolder(), main->CurrentLanguageFile(), kHelpFileExtension));
         }},
        {cmd::kLicense,
         [main] {
             ShellOpen(LicenseFilePath(main->ProgramFolder()));
         }},
        {cmd::kReadMe,
         [main] {
             ShellOpen(ReadMeFilePath(main->ProgramFolder()));
         }},
        {cmd::kCheckUpdate,
         [] {
             ShellOpen(UpdateAddress());
         }},
        {cmd::kInfo,
         [main] {
             ShowAbout(*main);
         }},
    };
    for (const auto& [command, run] : commands)
        window.Bind(
            wxEVT_MENU, [run](wxCommandEvent&) { run(); }, ToWxId(command));
}
