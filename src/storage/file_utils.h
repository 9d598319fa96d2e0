// file_utils.h - small stateless file helpers used around the stored files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// The largest file ReadWholeFile reads (64 MiB): no stored file of the program comes near it.
constexpr std::uintmax_t kMaxReadFileBytes = 64u * 1024u * 1024u;

/// True when path's attributes can be read and do not mark a directory.
bool FileExists(const std::string& path);
/// True when path's attributes can be read and mark a directory.
bool DirectoryExists(const std::string& path);
/// The path up to and including its last "\" or "/" (position 0 not considered); the whole path
/// when there is none.
std::string DirectoryOf(const std::string& path);
/// The text after the last "\" or "/", a separator at the very end skipped (so "a\b\" gives "b\");
/// the whole path when there is none.
std::string FileNameOf(const std::string& path);
/// Appends text and a line end, every LF (and the final line end) written as CR LF; creates the
/// file when missing. False when it cannot be opened or written.
bool AppendLine(const std::string& path, const std::string& text);
/// Deletes the file, first clearing its read-only permission when makeWritable. True on success.
bool RemoveFile(const std::string& path, bool makeWritable);
/// Reads a whole regular file byte for byte. False when it cannot be opened or read, is no
/// regular file (a pipe, a device, a folder) or is larger than kMaxReadFileBytes.
bool ReadWholeFile(const std::string& path, std::string& bytes);
/// Replaces path's content with bytes without ever destroying the previous file: writes a
/// temporary file of a unique name in the same folder, checks every write and the close, then
/// renames it over path. On any failure (the folder takes no new file, the disk is full, the
/// file-size limit is reached) returns false, leaves the previous file byte for byte, and
/// LastWriteFailure() says why. Temporary files left in the folder by a run that was killed
/// while saving are removed first. A device or a pipe is written to directly (a pipe without a
/// reader fails at once). SIGXFSZ is ignored from the first call on, so a size limit fails the
/// write instead of ending the program.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);
/// "PATH: REASON" for a message about a failed WriteFileReplacing of path on this thread; PATH
/// alone when no reason is known.
std::string WriteFailureDetails(const std::string& path);
/// The system's text of why the last failed WriteFileReplacing of this thread failed ("No space
/// left on device"); empty after a success.
std::string LastWriteFailure();
