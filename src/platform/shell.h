// shell.h - opening a document or a web address with its associated program.
#pragma once

#include <functional>
#include <string>

/// Opens a file or address with the desktop's associated program (no shell string is built).
void ShellOpen(const std::string& target);
/// Replaces ShellOpen for tests; an empty function restores it.
void SetShellOpenHandler(std::function<void(const std::string&)> handler);
