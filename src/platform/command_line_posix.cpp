// command_line_posix.cpp - arguments on Linux: the bytes as given.
#include "platform/command_line.h"

std::vector<std::string> CommandArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}
