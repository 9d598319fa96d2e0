// file_failure.h - why a file could not be read or written, in the system's words, for the
// messages that report it.
#pragma once

#include <string>

/// What was asked of the file that failed.
enum class FileAccess { Read, Write };

/// The system's reason why path cannot be read or written, found by looking at the path as it
/// is now: a missing folder or file, a folder in its place, a refused permission, a read-only
/// or full file system. "" when the system has no objection (a file that opens but whose
/// content is not what was expected).
std::string FileFailureReason(const std::string& path, FileAccess access);

/// "PATH: REASON" for the line under a message about path, PATH alone without a reason.
std::string FileFailureDetails(const std::string& path, FileAccess access);

/// firstLine, then on the next line the path and, when the system gives one, its reason:
/// "Cannot create file!\n/home/a/x.csv: Permission denied".
std::string FileFailureMessage(const std::string& firstLine, const std::string& path, FileAccess access);
