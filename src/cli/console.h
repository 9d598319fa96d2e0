// console.h - what corvane-search needs of the system's console: standard output taking bytes
// unchanged, text shown on a console as its characters, and Ctrl+C stopping the search instead
// of ending the program.
#pragma once

#include <cstdio>
#include <string>

class DirectoryQuery;

/// Writes the UTF-8 bytes to stream (standard output or error) and flushes it: to a file or a pipe
/// the bytes unchanged; to a Windows console the characters they stand for, whatever its code
/// page. False when the stream refused any of them.
bool WriteText(std::FILE* stream, const std::string& bytes);

/// Makes standard output take bytes as they are (no line-end translation).
void UseBinaryStandardOutput();
/// Ctrl+C stops query cleanly (the search ends as stopped); a second Ctrl+C ends the program the
/// system's default way.
void StopSearchOnInterrupt(DirectoryQuery& query);
