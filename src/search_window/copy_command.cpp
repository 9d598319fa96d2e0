// copy_command.cpp - CopyCommand: the focused field's selection or the copied items.
#include "search_window/copy_command.h"

#include <wx/textctrl.h>  // wxTextEntry, with what it needs on every port
#include <wx/window.h>

#include "platform/clipboard.h"
#include "platform/text.h"
#include "search/copied_items.h"
#include "search_window/query_runner.h"
#include "search_window/result_list.h"

void CopyCommand::Copy()
{
    // The shortcut is the fields' own too: a selection in the focused field is what is copied.
    if (auto* field = dynamic_cast<wxTextEntry*>(wxWindow::FindFocus()); field != nullptr && field->CanCopy()) {
        field->Copy();
        return;
    }
    if (m_runner.Running() || !m_result->HasItems()) {
        return;
    }
    // The cells as the list shows them, in its order: what the user sees is what is pasted.
    PutTextOnClipboard(ToWx(CopiedItems(*m_result, m_controls.list->SelectedItems())));
}
