// recent_menu.h - File > Recent: the entries of its RecentList under their fixed command ids, with
// "Clear" and the "Deactivate" check item, the command range bound once.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "storage/recent_list.h"

class wxFrame;
class wxMenu;

/**
 * Owns the RecentList and shows it in the Recent submenu: entry k (from the top) has command 57617 + k and
 * shows its path as it is. Choosing an entry hands its path (found by the chosen command id) to
 * the open function; "Clear" and "Deactivate" change the list and the menu follows.
 */
class RecentMenu {
public:
    using OpenFunction = std::function<void(const std::string& path)>;

    /// Binds the entry range and the two fixed commands on frame, whose menu holds submenu.
    RecentMenu(wxFrame* frame, wxMenu* submenu, OpenFunction open);

    /// The entries and the deactivated flag as LDAP.ini kept them; the menu follows.
    void Restore(const std::vector<std::string>& stored, bool deactivated);
    /// Records a loaded profile (see RecentList::Add); the menu follows.
    void Add(const std::string& path, bool atTop);
    const RecentList& List() const { return m_list; }

private:
    /// Rebuilds the entries above the separator and sets the check mark from the list.
    void Update();

    wxMenu* m_submenu;
    RecentList m_list;
    OpenFunction m_open;
};
