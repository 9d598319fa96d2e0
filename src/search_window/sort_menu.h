// sort_menu.h - Edit > Sort by: one item per shown column, so the list can be sorted from the keyboard.
#pragma once

#include <functional>

class CResultList;
class wxFrame;
class wxMenu;

/**
 * Lists the result list's headings in the Sort by submenu each time the menus open (the columns
 * change with every search). Choosing a column sorts as a click on its heading does: ascending
 * first, the reverse when the list is already sorted ascending by that column; the heading shows
 * the arrow.
 */
class SortMenu {
public:
    using SortFunction = std::function<void(unsigned column, bool ascending)>;

    /// Binds the item range on frame, whose menu bar holds submenu.
    SortMenu(wxFrame& frame, wxMenu& submenu, CResultList& list, SortFunction sort);

    /// Lists the current headings; the submenu's item is disabled while there are none.
    void Rebuild();
    /// The item of a column chosen.
    void Choose(unsigned column);

private:
    wxFrame& m_frame;
    wxMenu& m_submenu;
    CResultList& m_list;
    SortFunction m_sort;
};
