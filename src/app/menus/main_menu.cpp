// main_menu.cpp - builds the main menu bar and its accelerator table with the system's commands mapped to wx ids.
// The English texts are the main window's key table's.
#include "app/menus/main_menu.h"

#include <initializer_list>

#include <wx/menu.h>

#include "localisation/text_keys.h"
#include "platform/command_ids.h"
#include "platform/menu_label.h"
#include "platform/text.h"

namespace {

constexpr int kSeparator = 0;

/// The English text of the main window's key row at target/id, in the toolkit's menu form.
wxString English(TextTarget target, int id)
{
    return ToWx(ToolkitMenuLabel(EnglishAt(MainWindowKeys(), target, id)));
}

wxMenu* MakeMenu(std::initializer_list<int> commands)
{
    auto* menu = new wxMenu;
    for (int command : commands) {
        if (command == kSeparator) {
            menu->AppendSeparator();
        } else {
            menu->Append(ToWxId(command), English(TextTarget::MenuCommand, command));
        }
    }
    return menu;
}

}  // namespace

wxMenuBar* CreateMainMenuBar()
{
    auto* recent = new wxMenu;
    recent->AppendSeparator();
    recent->Append(ToWxId(cmd::kClearRecent), English(TextTarget::FileMenuCommand, cmd::kClearRecent))->Enable(false);
    recent
        ->AppendCheckItem(ToWxId(cmd::kDeactivateRecent), English(TextTarget::FileMenuCommand, cmd::kDeactivateRecent))
        ->Enable(false);

    wxMenu* file = MakeMenu({cmd::kNew, cmd::kOpen, cmd::kSave, cmd::kSaveAs, kSeparator});
    file->AppendSubMenu(recent, English(TextTarget::FileMenuPosition, menu_pos::kRecent));
    file->AppendSeparator();
    file->Append(ToWxId(cmd::kExit), English(TextTarget::MenuCommand, cmd::kExit));

    wxMenu* edit =
        MakeMenu({cmd::kShowDetails, cmd::kSearch, cmd::kExportResult, cmd::kExportLdif, cmd::kCopy, cmd::kBaseDns});
    // its items are the shown columns, listed anew each time the menus open
    edit->Append(ToWxId(cmd::kSortBy), English(TextTarget::MenuCommand, cmd::kSortBy), new wxMenu);
    wxMenu* options = MakeMenu({cmd::kOptionsDetails, cmd::kLanguage, cmd::kConnection});
    wxMenu* help = MakeMenu({cmd::kHelp, cmd::kLicense, cmd::kReadMe, cmd::kCheckUpdate, cmd::kInfo});

    auto* bar = new wxMenuBar;
    bar->Append(file, EnglishAt(MainWindowKeys(), TextTarget::MenuBarPosition, menu_pos::kFile));
    bar->Append(edit, EnglishAt(MainWindowKeys(), TextTarget::MenuBarPosition, menu_pos::kEdit));
    bar->Append(options, EnglishAt(MainWindowKeys(), TextTarget::MenuBarPosition, menu_pos::kOptions));
    bar->Append(help, "?");  // the help drop-down's title is the same in every language
    return bar;
}

wxAcceleratorTable MainAcceleratorTable()
{
    const wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'N', ToWxId(cmd::kNew)},
        {wxACCEL_CTRL, 'O', ToWxId(cmd::kOpen)},
        {wxACCEL_CTRL, 'S', ToWxId(cmd::kSave)},
        {wxACCEL_CTRL, 'Q', ToWxId(cmd::kExit)},
        {wxACCEL_CTRL, 'T', ToWxId(cmd::kOptionsDetails)},
        {wxACCEL_NORMAL, WXK_F1, ToWxId(cmd::kHelp)},
        {wxACCEL_CTRL, 'D', ToWxId(cmd::kShowDetails)},
        {wxACCEL_CTRL, 'F', ToWxId(cmd::kSearch)},
        {wxACCEL_CTRL, 'C', ToWxId(cmd::kCopy)},
    };
    return wxAcceleratorTable(static_cast<int>(std::size(entries)), entries);
}
