// result_list_model.cpp - ResultListModel: rows of texts, column 0 with the item icon.
#include "search_window/result_list_model.h"

#include <utility>

void ResultListModel::SetRows(std::vector<std::vector<wxString>> rows)
{
    m_rows = std::move(rows);
    Reset(static_cast<unsigned>(m_rows.size()));
}

wxString ResultListModel::Text(size_t row, size_t column) const
{
    if (row >= m_rows.size() || column >= m_rows[row].size())
        return wxString();
    return m_rows[row][column];
}

void ResultListModel::GetValueByRow(wxVariant& value, unsigned row, unsigned column) const
{
    if (column == 0)
        value << wxDataViewIconText(Text(row, 0), m_icon);
    else
        value = Text(row, column);
}

bool ResultListModel::SetValueByRow(const wxVariant& value, unsigned row, unsigned column)
{
    if (column != 0 || row >= m_rows.size())
        return false;
    wxDataViewIconText edited;
    edited << value;
    auto& texts = m_rows[row];
    if (texts.empty())
        texts.emplace_back();
    texts[0] = edited.GetText();
    return true;
}
