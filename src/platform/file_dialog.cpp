// file_dialog.cpp - the open and save dialogs through wxFileDialog, or the handler tests set.
#include "platform/file_dialog.h"

#include <utility>

#include <wx/filedlg.h>

#include "platform/text.h"

namespace {

FileDialogHandler& Handler()
{
    static FileDialogHandler handler;
    return handler;
}

}  // namespace

std::optional<std::string> AskFilePath(wxWindow* parent, FileDialogMode mode, const std::string& defaultExtension,
                                       const std::string& filter, const std::string& title)
{
    std::optional<std::string> chosen;
    if (Handler()) {
        chosen = Handler()(mode, defaultExtension, filter);
    } else {
        const std::string wildcard = ToWxWildcard(filter);
        // no existence check on open and no overwrite question on save
        const long style = mode == FileDialogMode::Open ? wxFD_OPEN : wxFD_SAVE;
        wxFileDialog dialog(parent, ToWx(title), wxString(), wxString(),
                            wildcard.empty() ? wxString("*") : ToWx(wildcard), style);
        if (dialog.ShowModal() == wxID_OK) {
            chosen = FromWx(dialog.GetPath());
        }
    }
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    return WithDefaultExtension(*chosen, defaultExtension);
}

void SetFileDialogHandler(FileDialogHandler handler)
{
    Handler() = std::move(handler);
}
