// console.h - what corvane-search needs of the system's console: its arguments as UTF-8, standard
// output taking bytes unchanged, and Ctrl+C stopping the search instead of ending the program.
#pragma once

#include <string>
#include <vector>

class DirectoryQuery;

/// The program's arguments (without its own name) as the program's text, UTF-8.
std::vector<std::string> CommandArguments(int argc, char** argv);
/// Makes standard output take bytes as they are (no line-end translation).
void UseBinaryStandardOutput();
/// Ctrl+C stops query cleanly (the search ends as stopped); a second Ctrl+C ends the program the
/// system's default way.
void StopSearchOnInterrupt(DirectoryQuery& query);
