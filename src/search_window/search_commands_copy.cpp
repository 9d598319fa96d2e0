// search_commands_copy.cpp - SearchCommands: Edit > Copy and Edit > Export as LDIF.
#include "search_window/search_commands.h"

#include <wx/textctrl.h>  // wxTextEntry, with what it needs on every port
#include <wx/window.h>

#include "localisation/text_keys.h"
#include "platform/clipboard.h"
#include "platform/text.h"
#include "search/copied_items.h"
#include "search/ldif_export.h"
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
    // The cells as the list shows them, in its order: what the user sees is what is pasted.
    PutTextOnClipboard(ToWx(CopiedItems(*m_result, m_controls.list->SelectedItems())));
}

void SearchCommands::ExportLdif()
{
    SaveResult("ldif", keys::kLDIFFilter, [this] { return LdifExport(*m_result); });
}
