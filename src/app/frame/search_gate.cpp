// search_gate.cpp - GuardCommandsDuringSearch: the commands that wait for a running query, Escape
// and close.
#include "app/frame/search_gate.h"

#include <functional>

#include <memory>
#include <vector>

#include <wx/frame.h>
#include <wx/menu.h>

#include "platform/command_ids.h"
#include "search_window/search_commands.h"

namespace {

/// The toolkit ids of the menu commands that wait for a running query.
std::vector<int> WaitingCommands()
{
    std::vector<int> ids = {ToWxId(cmd::kShowDetails), ToWxId(cmd::kExportResult), ToWxId(cmd::kExportLdif),
                            ToWxId(cmd::kBaseDns),     ToWxId(cmd::kNew),          ToWxId(cmd::kOpen)};
    for (int recent = cmd::kRecentFirst + 1; recent <= cmd::kRecentLast; ++recent) {
        ids.push_back(ToWxId(recent));
    }
    return ids;
}

}  // namespace

void GuardCommandsDuringSearch(wxFrame& frame, wxWindow& panel, SearchCommands& commands, std::function<void()> ended)
{
    // The menu items disabled for a query, to be enabled again after it (and only those: an item
    // that was disabled before stays so).
    auto disabled = std::make_shared<std::vector<int>>();
    commands.SetBusyHook([&frame, disabled, ended = std::move(ended)](bool busy) {
        wxMenuBar* menus = frame.GetMenuBar();
        if (menus == nullptr) {
            return;
        }
        if (busy) {
            for (const int id : WaitingCommands()) {
                wxMenuItem* item = menus->FindItem(id);
                if (item != nullptr && item->IsEnabled()) {
                    item->Enable(false);
                    disabled->push_back(id);
                }
            }
            return;
        }
        for (const int id : *disabled) {
            if (wxMenuItem* item = menus->FindItem(id)) {
                item->Enable(true);
            }
        }
        disabled->clear();
        if (ended) {
            ended();
        }
    });

    // Shortcuts reach the commands without the menu: hold them back here.
    const auto hold = [&commands](wxEvent& event) {
        event.Skip(!commands.Searching());
    };
    for (const int id : WaitingCommands()) {
        frame.Bind(wxEVT_MENU, hold, id);
    }
    frame.Bind(wxEVT_DROP_FILES, hold);
    panel.Bind(wxEVT_DROP_FILES, hold);

    frame.Bind(wxEVT_CHAR_HOOK, [&commands](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && commands.Searching()) {
            commands.StopSearch();
            return;
        }
        event.Skip();
    });
    frame.Bind(wxEVT_CLOSE_WINDOW, [&commands](wxCloseEvent& event) {
        commands.CancelSearch();
        event.Skip();
    });
}
