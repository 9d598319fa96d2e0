// result_list.cpp - CResultList: item texts kept here, given to the toolkit line by line.
#include "search_window/result_list.h"

#include <utility>

CResultList::CResultList(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size)
    : wxListCtrl(parent, id, position, size, wxLC_REPORT | wxLC_VIRTUAL | wxLC_EDIT_LABELS | wxBORDER_SUNKEN)
{
    // An edited label is kept, as a list holding its own texts would keep it.
    Bind(wxEVT_LIST_END_LABEL_EDIT, [this](wxListEvent& event) {
        const long item = event.GetIndex();
        if (!event.IsEditCancelled() && item >= 0 && static_cast<size_t>(item) < m_items.size()) {
            auto& texts = m_items[static_cast<size_t>(item)];
            if (texts.empty())
                texts.emplace_back();
            texts[0] = event.GetLabel();
        }
        event.Skip();
    });
}

void CResultList::ClearItems()
{
    m_items.clear();
    DeleteAllItems();
}

long CResultList::AddItem(std::vector<wxString> texts)
{
    m_items.push_back(std::move(texts));
    SetItemCount(static_cast<long>(m_items.size()));
    Refresh();
    return static_cast<long>(m_items.size()) - 1;
}

void CResultList::SetItems(std::vector<std::vector<wxString>> items)
{
    ClearItems();
    m_items = std::move(items);
    SetItemCount(static_cast<long>(m_items.size()));
    Refresh();
}

wxString CResultList::OnGetItemText(long item, long column) const
{
    if (item < 0 || column < 0 || static_cast<size_t>(item) >= m_items.size())
        return wxString();
    const auto& texts = m_items[static_cast<size_t>(item)];
    return static_cast<size_t>(column) < texts.size() ? texts[static_cast<size_t>(column)] : wxString();
}

int CResultList::OnGetItemImage(long /*item*/) const
{
    return 0;
}

int CResultList::OnGetItemColumnImage(long /*item*/, long column) const
{
    return column == 0 ? 0 : -1;
}
