// search_commands.cpp - the main window's Search, Details and Export commands on its controls.
#include "search_window/search_commands.h"

#include <algorithm>
#include <optional>
#include <set>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include "directory/directory_query.h"
#include "search_window/bind_login.h"
#include "localisation/text_keys.h"
#include "platform/file_dialog.h"
#include "platform/text.h"
#include "platform/text_codec.h"
#include "search_window/details_dialog.h"
#include "search_window/details_text.h"
#include "search_window/result_list.h"

namespace {

/// A field's text as bytes, cut to the longest value a field holds without splitting a character.
std::string FieldText(const wxString& text)
{
    return CutToBytes(FromWx(text), kFieldLimit);
}

}  // namespace

SearchCommands::SearchCommands(SearchControls controls, std::function<std::string(const char* key)> text)
    : m_controls(controls), m_text(std::move(text))
{
}

std::string SearchCommands::Text(const char* key) const
{
    if (m_text) {
        return m_text(key);
    }
    const char* english = EnglishDefault(key);
    return english ? english : "";
}

std::optional<BindCredentials> SearchCommands::Credentials(const SearchInput& input)
{
    return m_bindLogin != nullptr ? m_bindLogin->For(input) : std::optional<BindCredentials>(BindCredentials{});
}

wxWindow* SearchCommands::FieldControl(SearchField field) const
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

void SearchCommands::ClearItems()
{
    m_controls.list->ClearItems();
    m_itemDns.clear();
}

void SearchCommands::ShowMessage(const std::string& text, long style) const
{
    wxMessageDialog box(m_controls.window, ToWx(text), ToWx(Text(keys::kError)), wxOK | style);
    box.ShowModal();
}

bool SearchCommands::ReadSearchInput(SearchInput& input)
{
    SearchFields fields;
    fields.server = FieldText(m_controls.server->GetValue());
    fields.port = FieldText(m_controls.port->GetValue());
    fields.baseDn = FieldText(m_controls.baseDn->GetValue());
    fields.preselection = FieldText(m_controls.preselection->GetValue());
    fields.searchString = FieldText(m_controls.searchString->GetValue());
    fields.searchAttribute = FieldText(m_controls.searchAttribute->GetValue());
    fields.resultAttribute = FieldText(m_controls.resultAttribute->GetValue());

    if (const std::optional<InputCheckFailure> failure = CheckSearchFields(fields)) {
        ShowMessage(Text(failure->messageKey), wxICON_INFORMATION);
        if (wxWindow* control = FieldControl(failure->field)) {
            control->SetFocus();
        }
        return false;
    }
    input = MakeSearchInput(fields);
    return true;
}

void SearchCommands::Search()
{
    CResultList* list = m_controls.list;
    m_controls.details->Disable();
    ClearItems();

    SearchInput input;
    if (!ReadSearchInput(input)) {
        return;  // the export table keeps the last search's values
    }
    const std::optional<BindCredentials> bind = Credentials(input);
    if (!bind) {
        return;  // the password dialog was cancelled: no search
    }
    const bool swap = m_controls.swap->GetValue();
    const std::string searchValue = SearchValue(input, swap);

    // The progress item must be on screen before the query blocks the window: lay the list out
    // and paint it now rather than when the event loop would next get to it.
    ClearItems();
    list->AddItem({ToWx(Text(keys::kLDAPQuery))});
    list->Refresh();
    list->Update();
    if (m_queryStartHook) {
        m_queryStartHook();
    }

    const QueryChoice choice = ChooseQuery(input, swap);
    std::vector<ResultRow> rows;
    {
        DirectoryQuery query;
        query.SetBind(bind->name, bind->password);
        ResultTable table;
        const SearchOutcome outcome = RunSearch(query, input, choice, searchValue, table, m_timeLimitSeconds);
        if (m_bindLogin != nullptr) {
            m_bindLogin->Ended(input, *bind, outcome);
        }
        rows = ResultRows(table, choice);
    }
    // Plain replacement of the placeholder: the value is user text and never a format.
    const std::string noResult = FillPlaceholder(Text(keys::kNoResult), searchValue);
    const int32_t columnCount = choice.columnCount();

    list->Freeze();
    ClearItems();
    if (!rows.empty()) {
        m_controls.details->Enable();
        // A negative width would ask the list to size the column itself.
        const int width = std::max(0, list->GetSize().GetWidth() - 20);
        list->DeleteAllColumns();
        if (columnCount == 1) {
            list->InsertColumn(0, ToWx(choice.headings[0]), wxLIST_FORMAT_LEFT, width);
        } else {
            for (int32_t c = 0; c < columnCount; ++c) {
                list->InsertColumn(c, ToWx(choice.headings[static_cast<size_t>(c)]), wxLIST_FORMAT_LEFT,
                                   width / columnCount);
            }
        }
    } else {
        list->AddItem({ToWx(noResult)});  // the old columns stay
    }

    m_exportTable = MakeExportTable(rows, columnCount);

    // Every value stands under its attribute's column. An entry without values gets no item, so
    // every item remembers its entry's DN for the details view.
    const size_t shownColumns = static_cast<size_t>(list->GetColumnCount());
    std::vector<std::vector<wxString>> items;
    items.reserve(rows.size());
    for (const ResultRow& row : rows) {
        if (!row.hasValue) {
            continue;
        }
        std::vector<wxString>& texts = items.emplace_back();
        const size_t shown = std::min(row.values.size(), shownColumns);
        texts.reserve(shown);
        for (size_t k = 0; k < shown; ++k) {
            texts.push_back(ToWx(row.values[k]));
        }
        m_itemDns.push_back(row.dn);
    }
    if (!items.empty()) {
        list->SetItems(std::move(items));
    }
    list->Thaw();
}

void SearchCommands::Details()
{
    SearchInput input;
    if (ReadSearchInput(input)) {
        ShowDetails(input);
    }
}

void SearchCommands::ShowDetails(const SearchInput& input)
{
    // The chosen entries are named by DN, not by list position: entries without a value of the
    // result attribute have no list item, so positions of items and answer rows differ. Items that
    // stand for no entry (the no-result message) choose nothing; when no entry is chosen, all show.
    CResultList* list = m_controls.list;
    std::set<std::string> chosen;
    for (long item = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
         item = list->GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        if (item >= 0 && static_cast<size_t>(item) < m_itemDns.size()) {
            chosen.insert(m_itemDns[static_cast<size_t>(item)]);
        }
    }
    std::optional<std::set<std::string>> shownDns;
    if (!chosen.empty()) {
        shownDns = std::move(chosen);
    }

    const std::optional<BindCredentials> bind = Credentials(input);
    if (!bind) {
        return;  // the password dialog was cancelled: no details
    }
    const bool swap = m_controls.swap->GetValue();
    const DetailSlots slots = m_detailAttributes ? *m_detailAttributes : DefaultDetailSlots();
    {
        DirectoryQuery query;
        query.SetBind(bind->name, bind->password);
        ResultTable table;
        const SearchOutcome outcome = RunDetailsQuery(query, input, swap, slots, table, m_timeLimitSeconds);
        if (m_bindLogin != nullptr) {
            m_bindLogin->Ended(input, *bind, outcome);
        }
        m_lastDetailsText = DetailsText(table, shownDns);
    }

    auto* dialog = new CDetailsDialog(m_controls.window);
    if (auto* top = wxDynamicCast(wxGetTopLevelParent(m_controls.window), wxTopLevelWindow)) {
        dialog->SetIcons(top->GetIcons());
    }
    dialog->SetLanguageFile(m_languageFile ? *m_languageFile : std::string());
    dialog->SetDetailsText(m_lastDetailsText);
    dialog->ShowModal();
    dialog->Destroy();
}

void SearchCommands::Export()
{
    const std::optional<std::string> path =
        AskFilePath(m_controls.window, FileDialogMode::Save, "csv", Text(keys::kCSVFilter));
    if (!path) {
        return;
    }
    if (!m_exportTable.WriteToFile(*path)) {
        ShowMessage(Text(keys::kFileCreateError), wxICON_ERROR);
    }
}
