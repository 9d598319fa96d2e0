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
/// temporary file in the same folder, checks every write and the close, then renames it over
/// path. On any failure returns false and leaves the previous file as it was. When the folder
/// refuses the temporary file, an existing writable target is written in place. A device or a
/// pipe is written to directly (a pipe without a reader fails at once).
bool WriteFileReplacing(const std::string& path, std::string_view bytes);
