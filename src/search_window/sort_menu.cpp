// sort_menu.cpp - the Sort by submenu, rebuilt from the result list's headings.
#include "search_window/sort_menu.h"

#include <algorithm>

#include <wx/frame.h>
#include <wx/menu.h>

#include "platform/apply_mnemonics.h"
#include "platform/command_ids.h"
#include "platform/text.h"
#include "search_window/result_list.h"

SortMenu::SortMenu(wxFrame& frame, wxMenu& submenu, CResultList& list, SortFunction sort)
    : m_frame(frame), m_submenu(submenu), m_list(list), m_sort(std::move(sort))
{
    m_frame.Bind(
        wxEVT_MENU, [this](wxCommandEvent& event) { Choose(static_cast<unsigned>(event.GetId() - kSortColumnFirst)); },
        kSortColumnFirst, kSortColumnFirst + kSortColumnsListed - 1);
    m_frame.Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
        // the submenu itself is not rebuilt while it opens: its items are already the current ones
        if (event.GetMenu() != &m_submenu) {
            Rebuild();
        }
        event.Skip();
    });
    Rebuild();
}

void SortMenu::Rebuild()
{
    while (m_submenu.GetMenuItemCount() > 0) {
        m_submenu.Destroy(m_submenu.FindItemByPosition(0));
    }
    // the column of a list that shows no search yet has no heading: it is not listed
    const unsigned columns = std::min<unsigned>(m_list.GetColumnCount(), kSortColumnsListed);
    for (unsigned c = 0; c < columns; ++c) {
        if (const wxString heading = m_list.Heading(c); !heading.empty()) {
            m_submenu.Append(kSortColumnFirst + static_cast<int>(c), ToWxLabel(FromWx(heading)));
        }
    }
    ApplyMnemonics(&m_submenu);
    if (wxMenuBar* bar = m_frame.GetMenuBar()) {
        bar->Enable(ToWxId(cmd::kSortBy), m_submenu.GetMenuItemCount() > 0);
    }
}

void SortMenu::Choose(unsigned column)
{
    if (column >= m_list.GetColumnCount()) {
        return;
    }
    const bool sortedUpByIt =
        m_list.SortColumn() == static_cast<int>(column) && m_list.GetColumn(column)->IsSortOrderAscending();
    const bool ascending = !sortedUpByIt;
    m_list.ShowSortArrow(column, ascending);
    m_sort(column, ascending);
}
