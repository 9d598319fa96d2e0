// main_menu.cpp - builds the main menu bar and its accelerator table with the system's commands mapped to wx ids.
#include "app/main_menu.h"

#include <initializer_list>

#include <wx/menu.h>

#include "platform/command_ids.h"
#include "platform/menu_label.h"
#include "platform/text.h"

namespace {

struct Item {
    int command;  ///< 0 for a separator
    const char* text;
    bool enabled;
};

wxMenu* MakeMenu(std::initializer_list<Item> items)
{
    auto* menu = new wxMenu;
    for (const Item& item : items) {
        if (item.command == 0) {
            menu->AppendSeparator();
            continue;
        }
        wxMenuItem* added = menu->Append(ToWxId(item.command), ToWx(ToolkitMenuLabel(item.text)));
        added->Enable(item.enabled);
    }
    return menu;
}

}  // namespace

wxMenuBar* CreateMainMenuBar()
{
    auto* recent = new wxMenu;
    recent->AppendSeparator();
    recent->Append(ToWxId(cmd::kClearRecent), ToWx(ToolkitMenuLabel("Clear")))->Enable(false);
    recent->AppendCheckItem(ToWxId(cmd::kDeactivateRecent), ToWx(ToolkitMenuLabel("Deactivate")))->Enable(false);

    wxMenu* file = MakeMenu({{cmd::kNew, "New settings\tCtrl+N", true},
                             {cmd::kOpen, "Open settings\tCtrl+O", true},
                             {cmd::kSave, "Save settings\tCtrl+S", true},
                             {cmd::kSaveAs, "Save settings as...", true},
                             {0, nullptr, false}});
    file->AppendSubMenu(recent, ToWx(ToolkitMenuLabel("Recent")));
    file->AppendSeparator();
    file->Append(ToWxId(cmd::kExit), ToWx(ToolkitMenuLabel("Exit\tCtrl+Q")));

    wxMenu* edit = MakeMenu({{cmd::kShowDetails, "Show details\tCtrl+D", true},
                             {cmd::kSearch, "Search\tCtrl+F", true},
                             {cmd::kExportResult, "Export result", true},
                             {cmd::kExportLdif, "Export as LDIF", true},
                             {cmd::kCopy, "Copy\tCtrl+C", true},
                             {cmd::kBaseDns, "Base DNs from server", true}});
    wxMenu* options = MakeMenu({{cmd::kOptionsDetails, "Select detail fields\tCtrl+T", true},
                                {cmd::kLanguage, "Language", true},
                                {cmd::kConnection, "Connection...", true}});
    wxMenu* help = MakeMenu({{cmd::kHelp, "Help\tF1", true},
                             {cmd::kLicense, "License", true},
                             {cmd::kReadMe, "Changes", true},
                             {cmd::kCheckUpdate, "Check for update", true},
                             {cmd::kInfo, "Info", true}});

    auto* bar = new wxMenuBar;
    bar->Append(file, "File");
    bar->Append(edit, "Edit");
    bar->Append(options, "Options");
    bar->Append(help, "?");
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
