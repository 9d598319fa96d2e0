// search_field_reader.cpp - SearchFieldReader: the fields as bytes, their checks in order.
#include "search_window/search_field_reader.h"

#include <optional>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "platform/text.h"
#include "platform/text_codec.h"
#include "search_window/query_runner.h"
#include "storage/connection_profile.h"

namespace {

/// A field's text as bytes, cut to the longest value a field holds without splitting a character.
std::string FieldText(const wxString& text)
{
    return CutToBytes(FromWx(text), kFieldLimit);
}

}  // namespace

SearchFields SearchFieldReader::Read() const
{
    SearchFields fields;
    fields.server = FieldText(m_controls.server->GetValue());
    fields.port = FieldText(m_controls.port->GetValue());
    fields.baseDn = FieldText(m_controls.baseDn->GetValue());
    fields.preselection = FieldText(m_controls.preselection->GetValue());
    fields.searchString = FieldText(m_controls.searchString->GetValue());
    fields.searchAttribute = FieldText(m_controls.searchAttribute->GetValue());
    fields.resultAttribute = FieldText(m_controls.resultAttribute->GetValue());
    return fields;
}

bool SearchFieldReader::ReadInput(SearchInput& input, bool emptyBase) const
{
    const SearchFields fields = Read();
    SearchFields checked = fields;
    if (emptyBase && checked.baseDn.empty()) {
        checked.baseDn.assign(1, '-');  // any text: only the other checks matter
    }
    if (const std::optional<InputCheckFailure> failure = CheckSearchFields(checked)) {
        m_runner.ShowMessage(m_runner.Text(failure->messageKey), wxICON_INFORMATION);
        if (wxWindow* control = FieldControl(failure->field)) {
            control->SetFocus();
        }
        return false;
    }
    input = WithConnection(MakeSearchInput(fields), m_runner.Connection());
    return true;
}

bool SearchFieldReader::Swap() const
{
    return m_controls.swap->GetValue();
}

wxWindow* SearchFieldReader::FieldControl(SearchField field) const
{
    switch (field) {
        case SearchField::SearchString:
            return m_controls.searchString;
        case SearchField::Server:
            return m_controls.server;
        case SearchField::SearchAttribute:
            return m_controls.searchAttribute;
        case SearchField::BaseDn:
            return m_controls.baseDn;
        case SearchField::ResultAttribute:
            return m_controls.resultAttribute;
    }
    return nullptr;
}
