// recent_menu.cpp - the Recent submenu and the RecentList it owns.
#include "app/menus/recent_menu.h"

#include <algorithm>

#include <wx/frame.h>
#include <wx/menu.h>

#include "platform/apply_mnemonics.h"
#include "platform/command_ids.h"
#include "platform/text.h"
#include "storage/recent_list.h"

namespace {

/// Command id of the entry at position (57617 for the top one).
constexpr int EntryCommand(std::size_t position)
{
    return cmd::kRecentFirst + 1 + static_cast<int>(position);
}

/// A path as a menu label: "&" shows as itself, a TAB as a blank (it would start a shortcut).
wxString EntryLabel(std::string path)
{
    std::replace(path.begin(), path.end(), '\t', ' ');
    return ToWxLabel(path);
}

}  // namespace

RecentMenu::RecentMenu(wxFrame* frame, wxMenu* submenu, OpenFunction open) : m_submenu(submenu), m_open(std::move(open))
{
    frame->Bind(
        wxEVT_MENU,
        [this](wxCommandEvent& event) {
            // the chosen entry is the one under the command's own id, whatever was highlighted
            const int position = FromWxId(event.GetId()) - EntryCommand(0);
            const auto& entries = m_list.Entries();
            if (position >= 0 && static_cast<std::size_t>(position) < entries.size()) {
                m_open(std::string(entries[static_cast<std::size_t>(position)]));
            }
        },
        ToWxId(cmd::kRecentFirst), ToWxId(cmd::kRecentLast));
    // Clear and Deactivate change the list, then the entries shown follow it
    const auto onChange = [this, frame](int command, void (RecentList::*change)()) {
        frame->Bind(
            wxEVT_MENU,
            [this, change](wxCommandEvent&) {
                (m_list.*change)();
                Update();
            },
            ToWxId(command));
    };
    onChange(cmd::kClearRecent, &RecentList::Clear);
    onChange(cmd::kDeactivateRecent, &RecentList::ToggleDeactivate);
    m_submenu->Enable(ToWxId(cmd::kClearRecent), true);
    m_submenu->Enable(ToWxId(cmd::kDeactivateRecent), true);
}

void RecentMenu::Restore(const std::vector<std::string>& stored, bool deactivated)
{
    m_list.Restore(stored, deactivated);
    Update();
}

void RecentMenu::Add(const std::string& path, bool atTop)
{
    m_list.Add(path, atTop);
    Update();
}

void RecentMenu::Update()
{
    // the entries are the items above the separator; the three fixed items stay as they are
    while (m_submenu->GetMenuItemCount() > 3) {
        m_submenu->Destroy(m_submenu->FindItemByPosition(0));
    }
    const auto& entries = m_list.Entries();
    for (std::size_t position = 0; position < entries.size(); ++position) {
        m_submenu->Insert(position, ToWxId(EntryCommand(position)), EntryLabel(entries[position]));
    }
    m_submenu->Check(ToWxId(cmd::kDeactivateRecent), m_list.Deactivated());
    ApplyMnemonics(m_submenu);
}
