// search_commands_copy.cpp - SearchCommands: Edit > Copy and Edit > Export as LDIF.
#include "search_window/search_commands.h"

#include <algorithm>

#include <wx/textctrl.h>  // wxTextEntry, with what it needs on every port
#include <wx/window.h>

#include "localisation/text_keys.h"
#include "platform/clipboard.h"
#include "platform/text.h"
#include "search/ldif_text.h"
#include "search/tab_separated.h"
#include "search_window/result_list.h"

void SearchCommands::CopyRows()
{
    // The shortcut is the fields' own too: a selection in the focused field is what is copied.
    if (auto* field = dynamic_cast<wxTextEntry*>(wxWindow::FindFocus()); field != nullptr && field->CanCopy()) {
        field->Copy();
        return;
    }
    if (Searching() || !m_result->HasItems()) {
        return;
    }
    CResultList* list = m_controls.list;
    std::vector<size_t> items = list->SelectedItems();
    std::sort(items.begin(), items.end());
    if (items.empty()) {
        items.resize(list->ItemCount());
        for (size_t item = 0; item < items.size(); ++item) {
            items[item] = item;
        }
    }
    // The cells as the list shows them, in its order: what the user sees is what is pasted.
    const unsigned columns = static_cast<unsigned>(m_shownHeadings.size());
    std::vector<std::vector<std::string>> rows;
    rows.reserve(items.size());
    for (const size_t item : items) {
        std::vector<std::string>& row = rows.emplace_back();
        for (unsigned column = 0; column < columns; ++column) {
            row.emplace_back(list->ItemBytes(item, column));
        }
    }
    PutTextOnClipboard(ToWx(TabSeparatedText(m_shownHeadings, rows)));
}

void SearchCommands::ExportLdif()
{
    SaveResult("ldif", keys::kLDIFFilter,
               [this] { return LdifText(LdifEntries(m_result->ShownRows(), m_shownHeadings)); });
}
