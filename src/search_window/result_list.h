// result_list.h - the main window's result list (control 1021): a report-mode list whose item
// texts are kept here and handed to the toolkit on demand, so filling 1000 items stays fast.
#pragma once

#include <vector>

#include <wx/listctrl.h>

/**
 * The result list. Every item shows image 0 in its first column; several items can be selected
 * and the first column's text edited in place. The texts live in this object (the toolkit only
 * asks for the lines it shows), which keeps a 1000-item fill from measuring every text.
 */
class CResultList : public wxListCtrl {
public:
    CResultList(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size);

    /// Removes every item (selection included).
    void ClearItems();
    /// Appends one item; texts[k] shows in column k. Returns the item's index.
    long AddItem(std::vector<wxString> texts);
    /// Replaces all items at once.
    void SetItems(std::vector<std::vector<wxString>> items);

protected:
    wxString OnGetItemText(long item, long column) const override;
    int OnGetItemImage(long item) const override;
    int OnGetItemColumnImage(long item, long column) const override;

private:
    std::vector<std::vector<wxString>> m_items;
};
