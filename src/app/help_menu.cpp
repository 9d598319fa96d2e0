// help_menu.cpp - the "?" menu's commands: documents and the update page through the desktop's
// opener (a message names what could not be handed to it), the about box with the current
// language's OK text.
#include "app/help_menu.h"

#include <functional>
#include <utility>

#include <wx/msgdlg.h>

#include "app/font_settings.h"
#include "app/main_window.h"
#include "dialogs/about_dialog.h"
#include "dialogs/help_documents.h"
#include "localisation/text_keys.h"
#include "platform/command_ids.h"
#include "platform/help_format.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "search_window/search_rules.h"

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

/// Hands target to the desktop's opener; says so, naming it, when that cannot be done.
void Open(CLDAPDlg& main, const std::string& target)
{
    if (ShellOpen(target))
        return;
    // Plain replacement: a path is never a format.
    wxMessageDialog box(&main, ToWx(FillPlaceholder(main.Text(keys::kCannotOpen), target)),
                        ToWx(main.Text(keys::kError)), wxOK | wxICON_ERROR);
    box.ShowModal();
}

}  // namespace

void BindHelpMenu(CLDAPDlg& window)
{
    CLDAPDlg* main = &window;
    const std::pair<int, std::function<void()>> commands[] = {
        {cmd::kHelp,
         [main] {
             Open(*main, HelpFilePath(main->ProgramFolder(), main->CurrentLanguageFile(), kHelpFileExtension));
         }},
        {cmd::kLicense,
         [main] {
             Open(*main, LicenseFilePath(main->ProgramFolder()));
         }},
        {cmd::kReadMe,
         [main] {
             Open(*main, ReadMeFilePath(main->ProgramFolder()));
         }},
        {cmd::kCheckUpdate,
         [main] {
             Open(*main, UpdateAddress());
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
