// shell.h - opening a document or a web address with its associated program.
#pragma once

#include <functional>
#include <string>

/// Opens a file or address with the desktop's associated program (no shell string is built).
/// False when it cannot be handed over: an empty target, a document that does not exist, no
/// opener on the system, or an opener that does not start.
bool ShellOpen(const std::string& target);
/// Replaces ShellOpen for tests (after the check that a document exists); an empty function
/// restores it.
void SetShellOpenHandler(std::function<void(const std::string&)> handler);
