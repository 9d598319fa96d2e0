// result_list_model.h - the rows of the result list as the data view control reads them: texts
// read on demand from the shown result of a search (or a few fixed rows), the first column with
// the result icon.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <wx/bmpbndl.h>
#include <wx/dataview.h>

class ShownResult;

/**
 * A virtual list model. The control asks only for the rows it draws, and the model turns only
 * those texts into wxStrings: it keeps no copy of the rows, only the result it reads them from.
 * Column 0 shows the item icon before its text and can be edited in place; an edited text goes to
 * the result as its item's label (or replaces a fixed row's text).
 */
class ResultListModel : public wxDataViewVirtualListModel {
public:
    ResultListModel() : wxDataViewVirtualListModel(0) {}

    void SetIcon(const wxBitmapBundle& icon) { m_icon = icon; }
    const wxBitmapBundle& Icon() const { return m_icon; }

    /// Shows the items of a search's result and tells the control.
    void ShowResult(std::shared_ptr<ShownResult> shown);
    /// Replaces every row by fixed texts (a message) and tells the control.
    void SetRows(std::vector<std::vector<std::string>> rows);
    /// A cell's text as shown (an edited text included); empty beyond a row's texts.
    std::string_view Text(size_t row, size_t column) const;

    void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override;
    bool SetValueByRow(const wxVariant& value, unsigned row, unsigned column) override;
    unsigned GetCount() const override { return static_cast<unsigned>(m_count); }

private:
    void Shown(size_t count);

    std::shared_ptr<ShownResult> m_shown;
    std::vector<std::vector<std::string>> m_fixed;
    size_t m_count = 0;
    wxBitmapBundle m_icon;
};
