// result_list_model.h - the rows of the result list as the data view control reads them: item
// texts kept here and handed over on demand, the first column with the result icon.
#pragma once

#include <cstddef>
#include <vector>

#include <wx/bmpbndl.h>
#include <wx/dataview.h>

/**
 * A list model of text rows. The control asks only for the rows it shows, so filling 1000 items
 * costs no more than storing their texts. Column 0 shows the item icon before its text and can be
 * edited in place; an edited text is kept.
 */
class ResultListModel : public wxDataViewVirtualListModel {
public:
    ResultListModel() : wxDataViewVirtualListModel(0) {}

    void SetIcon(const wxBitmapBundle& icon) { m_icon = icon; }
    const wxBitmapBundle& Icon() const { return m_icon; }

    /// Replaces every row and tells the control.
    void SetRows(std::vector<std::vector<wxString>> rows);
    const std::vector<std::vector<wxString>>& Rows() const { return m_rows; }
    /// A cell's text; empty beyond a row's texts.
    wxString Text(size_t row, size_t column) const;

    void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override;
    bool SetValueByRow(const wxVariant& value, unsigned row, unsigned column) override;
    unsigned GetCount() const override { return static_cast<unsigned>(m_rows.size()); }

private:
    std::vector<std::vector<wxString>> m_rows;
    wxBitmapBundle m_icon;
};
