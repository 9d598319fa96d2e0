// result_list.cpp - CResultList: columns, items, selection, keys, double click and in-place editing.
#include "search_window/result_list.h"

#include <algorithm>
#include <utility>

#include <wx/button.h>
#include <wx/settings.h>
#include <wx/toplevel.h>

#include "platform/text.h"
#include "search/wrapped_lines.h"
#include "search_window/result_list_model.h"

wxDEFINE_EVENT(EVT_RESULT_LIST_DOUBLE_CLICK, wxCommandEvent);

CResultList::CResultList(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size)
    : wxDataViewCtrl(parent, id, position, size, wxDV_MULTIPLE | wxBORDER_SUNKEN), m_model(new ResultListModel)
{
    AssociateModel(m_model);
    m_model->DecRef();

    Bind(wxEVT_CHAR_HOOK, &CResultList::OnKey, this);
    Bind(wxEVT_DATAVIEW_ITEM_START_EDITING, &CResultList::OnStartEditing, this);
    // A double click anywhere, on an item or on empty space, is the list's one activation; the
    // native row activation (a click on an item, Enter, Space) is not passed on.
    Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent&) {
        m_editDelay.Stop();
        wxCommandEvent doubleClick(EVT_RESULT_LIST_DOUBLE_CLICK, GetId());
        doubleClick.SetEventObject(this);
        ProcessWindowEvent(doubleClick);
    });
    Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, [](wxDataViewEvent&) {});
    // Reached with Tab, the list shows where its focus is: on the first entry when none is current.
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        if (ItemCount() > 0 && !GetCurrentItem().IsOk()) {
            SetCurrentItem(m_model->GetItem(0));
        }
    });
    m_editDelay.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        const std::vector<size_t> selected = SelectedItems();
        if (m_pendingEdit.IsOk() && selected.size() == 1 && m_model->GetItem(selected[0]) == m_pendingEdit) {
            EditLabel(selected[0]);
        }
        m_pendingEdit = wxDataViewItem();
    });
}

void CResultList::SetItemIcon(const wxBitmapBundle& icon)
{
    m_model->SetIcon(icon);
    Refresh();
}

const wxBitmapBundle& CResultList::ItemIcon() const
{
    return m_model->Icon();
}

void CResultList::SetColumns(const std::vector<wxString>& headings, int width)
{
    ClearColumns();
    width = std::max(width, MinimumColumnWidth());
    m_columnWidth = width;
    const int flags = wxDATAVIEW_COL_RESIZABLE | wxDATAVIEW_COL_SORTABLE;
    for (unsigned c = 0; c < headings.size(); ++c) {
        wxDataViewColumn* column =
            c == 0 ? AppendIconTextColumn(headings[c], c, wxDATAVIEW_CELL_EDITABLE, width, wxALIGN_LEFT, flags)
                   : AppendTextColumn(headings[c], c, wxDATAVIEW_CELL_INERT, width, wxALIGN_LEFT, flags);
        // a text cut by its column ends in an ellipsis, so it shows that there is more
        column->GetRenderer()->EnableEllipsize(wxELLIPSIZE_END);
        column->SetMinWidth(MinimumColumnWidth());
    }
}

int CResultList::MinimumColumnWidth() const
{
    // a heading's button needs its padding and border, and a little of its text or ellipsis;
    // narrower, the toolkit cannot lay the heading out
    return FromDIP(30);
}

void CResultList::SetColumnWidths(int width)
{
    width = std::max(width, MinimumColumnWidth());
    m_columnWidth = width;
    for (unsigned c = 0; c < GetColumnCount(); ++c) {
        GetColumn(c)->SetWidth(width);
    }
}

bool CResultList::ColumnsFitWidth(int width) const
{
    int total = 0;
    for (unsigned c = 0; c < GetColumnCount(); ++c) {
        total += GetColumn(c)->GetWidth();
    }
    return total <= width;
}

wxString CResultList::Heading(unsigned column) const
{
    return column < GetColumnCount() ? GetColumn(column)->GetTitle() : wxString();
}

void CResultList::HideSortArrow()
{
    for (unsigned c = 0; c < GetColumnCount(); ++c) {
        // only the sort key may be unset: some toolkits check it
        if (GetColumn(c)->IsSortKey()) {
            GetColumn(c)->UnsetAsSortKey();
        }
    }
}

void CResultList::ShowSortArrow(unsigned column, bool ascending)
{
    for (unsigned c = 0; c < GetColumnCount(); ++c) {
        if (c == column) {
            GetColumn(c)->SetSortOrder(ascending);
        } else if (GetColumn(c)->IsSortKey()) {
            GetColumn(c)->UnsetAsSortKey();
        }
    }
}

int CResultList::SortColumn() const
{
    for (unsigned c = 0; c < GetColumnCount(); ++c) {
        if (GetColumn(c)->IsSortKey()) {
            return static_cast<int>(c);
        }
    }
    return -1;
}

void CResultList::ClearItems()
{
    m_editDelay.Stop();
    m_pendingEdit = wxDataViewItem();
    m_model->SetRows({});
}

void CResultList::SetItems(const std::vector<std::vector<wxString>>& items)
{
    m_editDelay.Stop();
    std::vector<std::vector<std::string>> rows;
    rows.reserve(items.size());
    for (const std::vector<wxString>& texts : items) {
        std::vector<std::string>& row = rows.emplace_back();
        for (const wxString& text : texts) {
            row.push_back(FromWx(text));
        }
    }
    m_model->SetRows(std::move(rows));
}

void CResultList::ShowResult(std::shared_ptr<ShownResult> shown)
{
    m_editDelay.Stop();
    m_model->ShowResult(std::move(shown));
}

void CResultList::ShowMessage(const wxString& message)
{
    // A message wider than its column takes the list's visible width in the first column and is
    // broken into lines, one item each, so the whole of it is read without scrolling.
    wxDataViewColumn* first = GetColumnCount() > 0 ? GetColumn(0) : nullptr;
    const int icon = m_model->Icon().IsOk() ? m_model->Icon().GetPreferredLogicalSizeFor(this).x : 0;
    const int padding = icon + FromDIP(16);  // the icon, the gap after it and the cell's margins
    const auto measure = [this](std::string_view text) {
        return GetTextExtent(ToWx(std::string(text))).GetWidth();
    };
    const std::string text = FromWx(message);
    if (first == nullptr || measure(text) <= first->GetWidth() - padding) {
        SetItems({{message}});
        return;
    }
    const int width = std::max({first->GetWidth(), GetClientSize().GetWidth(), MinimumColumnWidth()});
    first->SetWidth(width);
    std::vector<std::vector<wxString>> items;
    for (const std::string& line : WrapToWidth(text, width - padding, measure)) {
        items.push_back({ToWx(line)});
    }
    SetItems(items);
}

int CResultList::ContentHeight(int rows) const
{
    // the toolkit's item rectangle gives the real row height and, by its top, the heading's
    if (ItemCount() > 0 && GetColumnCount() > 0) {
        const wxRect item = GetItemRect(m_model->GetItem(0), GetColumn(0));
        if (item.height > 0 && item.y >= 0) {
            return item.y + rows * item.height + 2;
        }
    }
    // unmeasured: a row as tall as the icon or the text with the cell's padding, the heading a row
    const int icon = m_model->Icon().IsOk() ? m_model->Icon().GetPreferredLogicalSizeFor(this).y : 0;
    const int row = std::max(icon, GetCharHeight()) + 8;
    return (rows + 1) * row + 2;
}

size_t CResultList::ItemCount() const
{
    return m_model->GetCount();
}

wxString CResultList::ItemText(size_t item, unsigned column) const
{
    return ToWx(m_model->Text(item, column));
}

void CResultList::ShowReordered(const std::vector<size_t>& selected)
{
    m_editDelay.Stop();
    // The rows keep their number, only their texts move: the list redraws and tells the rows in
    // view that they changed (which screen readers hear), instead of rebuilding every row.
    const wxDataViewItem topItem = GetTopItem();
    const size_t top = topItem.IsOk() ? m_model->GetRow(topItem) : 0;
    const size_t shown = std::min(ItemCount(), top + static_cast<size_t>(std::max(GetCountPerPage(), 0)) + 1);
    for (size_t row = top; row < shown; ++row) {
        m_model->RowChanged(static_cast<unsigned>(row));
    }
    Refresh();
    SelectItems(selected);
}

std::vector<size_t> CResultList::SelectedItems() const
{
    wxDataViewItemArray items;
    GetSelections(items);
    std::vector<size_t> selected;
    selected.reserve(items.size());
    for (const wxDataViewItem& item : items) {
        selected.push_back(m_model->GetRow(item));
    }
    std::sort(selected.begin(), selected.end());
    return selected;
}

void CResultList::SelectItems(const std::vector<size_t>& items)
{
    wxDataViewItemArray chosen;
    for (size_t item : items) {
        if (item < ItemCount()) {
            chosen.push_back(m_model->GetItem(static_cast<unsigned>(item)));
        }
    }
    SetSelections(chosen);
}

void CResultList::EditLabel(size_t item)
{
    if (item >= ItemCount() || GetColumnCount() == 0) {
        return;
    }
    // the toolkit may open the editor only once it has laid the row out, after this returns
    m_requestedEdit = m_model->GetItem(static_cast<unsigned>(item));
    EditItem(m_requestedEdit, GetColumn(0));
}

void CResultList::OnKey(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        RunDefaultButton();
    } else if (key == 'A' && event.GetModifiers() == wxMOD_CONTROL) {
        SelectAll();
    } else {
        event.Skip();
    }
}

void CResultList::OnStartEditing(wxDataViewEvent& event)
{
    if (event.GetItem() == m_requestedEdit) {
        m_requestedEdit = wxDataViewItem();
        event.Skip();
        return;
    }
    // The toolkit starts editing on the first click on the focused item, which is also the first
    // half of a double click: edit only when no second click follows within the double-click time.
    event.Veto();
    m_pendingEdit = event.GetItem();
    const int delay = wxSystemSettings::GetMetric(wxSYS_DCLICK_MSEC);
    m_editDelay.StartOnce(delay > 0 ? delay : 500);
}

void CResultList::RunDefaultButton()
{
    auto* window = wxDynamicCast(wxGetTopLevelParent(this), wxTopLevelWindow);
    auto* button = window ? wxDynamicCast(window->GetDefaultItem(), wxButton) : nullptr;
    if (button == nullptr || !button->IsEnabled()) {
        return;
    }
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}
