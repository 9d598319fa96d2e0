// file_utils.cpp - small stateless file helpers: attributes, path parts, append, remove, whole-file
// read and the replacing write that never destroys the previous file.
#include "storage/file_utils.h"

#include "storage/native_path.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define CORVANE_GETPID _getpid
#else
#include <fcntl.h>
#include <unistd.h>
#define CORVANE_GETPID getpid
#endif

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

/// Closes a stream and reports whether both the close and every earlier write succeeded.
bool CloseChecked(std::FILE* file)
{
    const bool hadError = std::ferror(file) != 0;
    return std::fclose(file) == 0 && !hadError;
}

bool WriteAll(std::FILE* file, const char* data, std::size_t size)
{
    return size == 0 || std::fwrite(data, 1, size, file) == size;
}

std::string Hex(unsigned long value)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    return text;
}

/// A short temporary file name in path's folder that no other writer of this process uses at the
/// same time. Short, so that a target whose own name is near the system's limit still gets one.
std::string TemporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    const std::string name =
        ".cv" + Hex(static_cast<unsigned long>(CORVANE_GETPID())) + "-" + Hex(counter.fetch_add(1)) + ".tmp";
    return PathText(NativePath(path).parent_path() / name);
}

/// Opens path for writing without replacing it: a device or pipe, or a file the folder will not
/// let us replace. A pipe without a reader is refused at once instead of waiting for one.
std::FILE* OpenStraight(const std::string& path, bool pipe)
{
#ifndef _WIN32
    if (pipe) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return nullptr;
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        std::FILE* file = ::fdopen(fd, "wb");
        if (file == nullptr) {
            ::close(fd);
        }
        return file;
    }
#else
    (void)pipe;
#endif
    return OpenFile(path, "wb");
}

bool WriteStraight(const std::string& path, std::string_view bytes, bool pipe)
{
    std::FILE* file = OpenStraight(path, pipe);
    if (file == nullptr) {
        return false;
    }
    const bool written = WriteAll(file, bytes.data(), bytes.size()) && std::fflush(file) == 0;
    return CloseChecked(file) && written;
}

/// True when an existing target can be opened for writing (without changing it). Only regular
/// files are replaced: a directory, a device or a file the system refuses to open for writing
/// is left alone.
bool TargetWritable(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(NativePath(path), ec);
    if (ec || !fs::exists(status)) {
        return true;  // nothing there yet: creating it in the folder decides
    }
    if (!fs::is_regular_file(status)) {
        return false;
    }
    std::FILE* probe = OpenFile(path, "r+b");
    if (probe == nullptr) {
        return false;
    }
    std::fclose(probe);
    return true;
}

}  // namespace

bool FileExists(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(NativePath(path), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool DirectoryExists(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(NativePath(path), ec);
    return !ec && fs::is_directory(status);
}

std::string DirectoryOf(const std::string& path)
{
    for (std::size_t i = path.size(); i-- > 1;) {
        if (IsSeparator(path[i])) {
            return path.substr(0, i + 1);
        }
    }
    return path;
}

std::string FileNameOf(const std::string& path)
{
    if (path.empty()) {
        return path;
    }
    std::size_t i = path.size() - 1;
    if (IsSeparator(path[i])) {
        --i;  // a separator at the very end belongs to the name
    }
    for (; i >= 1 && i < path.size(); --i) {
        if (IsSeparator(path[i])) {
            return path.substr(i + 1);
        }
    }
    return path;
}

bool AppendLine(const std::string& path, const std::string& text)
{
    std::FILE* file = OpenFile(path, "ab");
    if (file == nullptr) {
        return false;
    }
    bool ok = true;
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); ok && lf != std::string::npos; lf = text.find('\n', start)) {
        ok = WriteAll(file, text.data() + start, lf - start) && WriteAll(file, "\r\n", 2);
        start = lf + 1;
    }
    ok = ok && WriteAll(file, text.data() + start, text.size() - start) && WriteAll(file, "\r\n", 2);
    return CloseChecked(file) && ok;
}

bool RemoveFile(const std::string& path, bool makeWritable)
{
    if (DirectoryExists(path)) {
        return false;  // only files are removed here, never a folder
    }
    if (makeWritable) {
        std::error_code ec;
        fs::permissions(NativePath(path), fs::perms::owner_write, fs::perm_options::add, ec);
    }
    return RemoveFileNamed(path) == 0;
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    // Only a regular file of a sensible size is read: a pipe would wait for a writer, a device
    // such as /dev/zero never ends, and a huge file would exhaust the memory.
    std::error_code ec;
    const fs::file_status status = fs::status(NativePath(path), ec);
    if (ec || !fs::is_regular_file(status)) {
        return false;
    }
    const std::uintmax_t size = fs::file_size(NativePath(path), ec);
    if (ec || size > kMaxReadFileBytes) {
        return false;
    }
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    std::string data;
    bool ok = true;
    try {
        data.reserve(static_cast<std::size_t>(size));
        char buffer[65536];
        std::size_t got = 0;
        while (ok && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            data.append(buffer, got);
            ok = data.size() <= kMaxReadFileBytes;  // the file may grow while it is read
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!CloseChecked(file) || !ok) {
        return false;
    }
    bytes = std::move(data);
    return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes)
{
    std::error_code ec;
    // A device or a pipe (/dev/stdout, a named pipe) is written to; there is no file to replace.
    const fs::file_status kind = fs::status(NativePath(path), ec);
    if (!ec && (fs::is_character_file(kind) || fs::is_fifo(kind))) {
        return WriteStraight(path, bytes, fs::is_fifo(kind));
    }
    std::string target = path;
    if (fs::is_symlink(fs::symlink_status(NativePath(path), ec))) {
        // Replace the file the link points to and keep the link itself.
        const fs::path resolved = fs::canonical(NativePath(path), ec);
        if (ec) {
            return false;
        }
        target = PathText(resolved);
    }
    if (!TargetWritable(target)) {
        return false;
    }

    const std::string temporary = TemporaryNameFor(target);
    std::FILE* file = OpenFile(temporary, "wbx");
    if (file == nullptr) {
        // The folder refuses a new file; a target that is there and writable is written in place.
        return FileExists(target) && WriteStraight(target, bytes, false);
    }
    const bool written = WriteAll(file, bytes.data(), bytes.size()) && std::fflush(file) == 0;
    if (!CloseChecked(file) || !written) {
        RemoveFileNamed(temporary);
        return false;
    }

    // A replaced file keeps its permissions.
    const fs::file_status old = fs::status(NativePath(target), ec);
    if (!ec && fs::exists(old)) {
        fs::permissions(NativePath(temporary), old.permissions(), fs::perm_options::replace, ec);
    }
    fs::rename(NativePath(temporary), NativePath(target), ec);
    if (ec) {
        RemoveFileNamed(temporary);
        return false;
    }
    return true;
}
