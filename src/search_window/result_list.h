// result_list.h - the main window's result list (control 1021): a native data view in report
// form, read by screen readers, whose texts live in a ResultListModel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <wx/dataview.h>
#include <wx/timer.h>

class ResultListModel;
class ShownResult;

/// Sent by the result list (with its id) for a double click anywhere on it, empty space included.
wxDECLARE_EVENT(EVT_RESULT_LIST_DOUBLE_CLICK, wxCommandEvent);

/**
 * The result list. Every item shows the item icon before its first text; several items can be
 * selected (Ctrl+A selects all) and the first column's text can be edited in place by clicking an
 * item that is already selected. Enter runs the window's default button. A heading clicked (or
 * activated from the keyboard or by a screen reader) shows the sort arrow, ascending first and
 * reversed on the next click, and reports it as wxEVT_DATAVIEW_COLUMN_SORTED; the owner sorts the
 * shown result and has the list show it (ShowReordered).
 */
class CResultList : public wxDataViewCtrl {
public:
    CResultList(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size);

    /// The icon shown on every item.
    void SetItemIcon(const wxBitmapBundle& icon);
    const wxBitmapBundle& ItemIcon() const;
    /// Replaces the columns by one per heading, each `width` pixels wide (at least
    /// MinimumColumnWidth), left-aligned, sortable, with no sort arrow.
    void SetColumns(const std::vector<wxString>& headings, int width);
    /// Gives every column the same width, at least MinimumColumnWidth (the toolkit may widen the
    /// last one to the list's edge).
    void SetColumnWidths(int width);
    /// The narrowest a column is made: its heading still fits its padding.
    int MinimumColumnWidth() const;
    /// True when every column, the last one as the toolkit widened it included, lies within a
    /// list width wide.
    bool ColumnsFitWidth(int width) const;
    /// The width last given to the columns.
    int ColumnWidth() const { return m_columnWidth; }
    /// The heading of a column, empty beyond the last one.
    wxString Heading(unsigned column) const;
    /// Shows no sort arrow: the next click on any heading sorts ascending.
    void HideSortArrow();
    /// Shows the sort arrow on one column, as a click on its heading does.
    void ShowSortArrow(unsigned column, bool ascending);
    /// The column showing the sort arrow, -1 when none does.
    int SortColumn() const;

    /// The height the list needs to show its heading and rows rows of items: measured from an
    /// item while the list shows one, else from its font and item icon.
    int ContentHeight(int rows) const;

    /// Removes every item (selection included).
    void ClearItems();
    /// Replaces all items at once by fixed texts; texts[k] of an item shows in column k.
    void SetItems(const std::vector<std::vector<wxString>>& items);
    /// Shows the items of a search's result, read from it as they are drawn.
    void ShowResult(std::shared_ptr<ShownResult> shown);
    /// Shows one item holding a message in its first column; a message wider than that column
    /// widens it to the list's visible width and shows as several items, one line each (WrapToWidth).
    void ShowMessage(const wxString& message);
    size_t ItemCount() const;
    wxString ItemText(size_t item, unsigned column) const;
    /// The items now show in a new order (their result was sorted, edited labels with their
    /// items): the list redraws them and selects exactly the given items, where the selected ones went.
    void ShowReordered(const std::vector<size_t>& selected);
    /// The indexes of the selected items, ascending.
    std::vector<size_t> SelectedItems() const;
    /// Selects exactly the given items.
    void SelectItems(const std::vector<size_t>& items);
    /// Opens the in-place editor on an item's first text.
    void EditLabel(size_t item);

private:
    void OnKey(wxKeyEvent& event);
    void OnStartEditing(wxDataViewEvent& event);
    void RunDefaultButton();

    ResultListModel* m_model = nullptr;  // owned by the control (reference counted)
    wxTimer m_editDelay;
    wxDataViewItem m_pendingEdit;
    wxDataViewItem m_requestedEdit;
    int m_columnWidth = 0;
};
