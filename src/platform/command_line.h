// command_line.h - the program's arguments as the program's text (UTF-8), whatever the system
// hands over: bytes on Linux, UTF-16 on Windows (whose narrow arguments lose what the ANSI code
// page cannot hold, such as a profile named "Łukasz.cvl").
#pragma once

#include <string>
#include <vector>

/// The arguments after the program's own name.
std::vector<std::string> CommandArguments(int argc, char** argv);
