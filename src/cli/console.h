// console.h - what corvane-search needs of the system's console: standard output taking bytes
// unchanged, and Ctrl+C stopping the search instead of ending the program.
#pragma once

class DirectoryQuery;

/// Makes standard output take bytes as they are (no line-end translation).
void UseBinaryStandardOutput();
/// Ctrl+C stops query cleanly (the search ends as stopped); a second Ctrl+C ends the program the
/// system's default way.
void StopSearchOnInterrupt(DirectoryQuery& query);
