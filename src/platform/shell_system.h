// shell_system.h - the system's own way of opening a document or an address with its associated
// program: no shell string is built and the window never waits for the program.
#pragma once

#include <string>

/// Opens argument (a path or an address, as OpenerArgument gives it); false when it could not be
/// handed to the system's opener.
bool OpenWithDesktop(const std::string& argument);
