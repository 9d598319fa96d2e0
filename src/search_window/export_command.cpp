// export_command.cpp - ExportCommand: the file dialog and the writers of the shown result.
#include "search_window/export_command.h"

#include <optional>

#include <wx/defs.h>

#include "localisation/text_keys.h"
#include "platform/file_dialog.h"
#include "search/export_text.h"
#include "search/ldif_export.h"
#include "search_window/query_runner.h"
#include "storage/file_utils.h"

void ExportCommand::Export()
{
    Save("csv", keys::kCSVFilter, [this] { return ExportText(*m_result); });
}

void ExportCommand::ExportLdif()
{
    Save("ldif", keys::kLDIFFilter, [this] { return LdifExport(*m_result); });
}

void ExportCommand::Save(const char* extension, const char* filterKey, const std::function<std::string()>& text)
{
    if (m_runner.Running()) {
        return;  // the result is being replaced
    }
    const std::optional<std::string> path = AskFilePath(m_runner.Window(), FileDialogMode::Save, extension,
                                                        m_runner.Text(filterKey), m_runner.Text(keys::kSelectFile));
    if (!path) {
        return;
    }
    if (!WriteFileReplacing(*path, text())) {
        m_runner.ShowMessage(m_runner.Text(keys::kFileCreateError), wxICON_ERROR, WriteFailureDetails(*path));
    }
}
