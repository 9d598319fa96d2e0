// file_dialog.h - the open and save file dialogs behind one function that tests redirect.
#pragma once

#include <functional>
#include <optional>
#include <string>

class wxWindow;

enum class FileDialogMode { Open, Save };

/// Asks the user for a path. filter is in the form "Name(*.ext)|*.ext||"; the default extension
/// is appended when the chosen name has none. Open asks for no existence check and Save for no
/// overwrite confirmation. title is the dialog's title, in the user's language. nullopt when the
/// user cancels.
std::optional<std::string> AskFilePath(wxWindow* parent, FileDialogMode mode, const std::string& defaultExtension,
                                       const std::string& filter, const std::string& title);

/// Replaces the dialog for tests: the handler gets mode, default extension and filter and returns
/// the path (the default extension is still appended) or nullopt. An empty function restores the
/// real dialog.
using FileDialogHandler =
    std::function<std::optional<std::string>(FileDialogMode, const std::string&, const std::string&)>;
void SetFileDialogHandler(FileDialogHandler handler);

/// "Name(*.ext)|*.ext||" as a wx wildcard "Name(*.ext)|*.ext" (empty pieces dropped).
std::string ToWxWildcard(const std::string& filter);
/// path + "." + extension when the file name part of path has no extension.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);
