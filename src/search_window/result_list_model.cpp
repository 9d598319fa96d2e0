// result_list_model.cpp - ResultListModel: texts read on demand, column 0 with the item icon.
#include "search_window/result_list_model.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"
#include "result/shown_result.h"

void ResultListModel::Shown(size_t count)
{
    m_count = count;
    Reset(static_cast<unsigned>(count));
}

void ResultListModel::ShowResult(std::shared_ptr<ShownResult> shown)
{
    m_fixed.clear();
    m_shown = std::move(shown);
    Shown(m_shown != nullptr ? m_shown->ItemCount() : 0);
}

void ResultListModel::SetRows(std::vector<std::vector<std::string>> rows)
{
    m_shown.reset();
    m_fixed = std::move(rows);
    Shown(m_fixed.size());
}

std::string_view ResultListModel::Text(size_t row, size_t column) const
{
    if (row >= m_count) {
        return {};
    }
    if (m_shown != nullptr) {
        return m_shown->ItemText(row, column);
    }
    const std::vector<std::string>& texts = m_fixed[row];
    return column < texts.size() ? std::string_view(texts[column]) : std::string_view();
}

void ResultListModel::GetValueByRow(wxVariant& value, unsigned row, unsigned column) const
{
    const wxString text = ToWx(Text(row, column));
    if (column == 0) {
        value << wxDataViewIconText(text, m_icon);
    } else {
        value = text;
    }
}

bool ResultListModel::SetValueByRow(const wxVariant& value, unsigned row, unsigned column)
{
    if (column != 0 || row >= m_count) {
        return false;
    }
    wxDataViewIconText edited;
    edited << value;
    if (m_shown != nullptr) {
        m_shown->SetLabel(row, FromWx(edited.GetText()));
    } else {
        std::vector<std::string>& texts = m_fixed[row];
        texts.resize(std::max<size_t>(texts.size(), 1));
        texts[0] = FromWx(edited.GetText());
    }
    return true;
}
