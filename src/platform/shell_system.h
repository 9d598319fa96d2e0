// shell_system.h - the system's own way of opening a document or an address with its associated
// program: no shell string is built, the window never waits for the program, and a target that
// cannot be opened stays silent.
#pragma once

#include <string>

/// Opens argument (a path or an address, as OpenerArgument gives it).
void OpenWithDesktop(const std::string& argument);
