// file_utils.cpp - small stateless file helpers: attributes, path parts, append, remove, whole-file
// read and the replacing write that never destroys the previous file.
#include "storage/file_utils.h"

#include "storage/native_path.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <new>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
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

/// Why the last write of this thread failed.
thread_local std::string lastWriteFailure;

/// Records the system's text of errno as the reason of a failed write; false, for returning.
bool Failed(int error)
{
    lastWriteFailure = error != 0 ? std::strerror(error) : "the file could not be written completely";
    return false;
}

/// A file that grows past the process's size limit fails its write (EFBIG) instead of ending the
/// program by signal: the previous file is then kept and the failure reported.
void IgnoreFileSizeSignal()
{
#ifdef SIGXFSZ
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
#endif
}

constexpr const char* kTemporaryPrefix = ".cv";
constexpr const char* kTemporarySuffix = ".tmp";

/// A short temporary file name in folder: the process id and a number, so that no other writer
/// of this process uses it at the same time and a leftover of a killed run can be told by its
/// process. Short, so that a target whose own name is near the system's limit still gets one.
fs::path TemporaryName(const fs::path& folder, unsigned long number)
{
    return folder / (kTemporaryPrefix + Hex(static_cast<unsigned long>(CORVANE_GETPID())) + "-" + Hex(number) +
                     kTemporarySuffix);
}

/// The process id in a temporary name of ours (".cv<pid>-<number>.tmp"), or 0 for another name.
unsigned long ProcessOfTemporary(const std::string& name)
{
    const std::size_t prefix = std::strlen(kTemporaryPrefix);
    const std::size_t suffix = std::strlen(kTemporarySuffix);
    if (name.size() <= prefix + suffix || name.compare(0, prefix, kTemporaryPrefix) != 0 ||
        name.compare(name.size() - suffix, suffix, kTemporarySuffix) != 0) {
        return 0;
    }
    const std::string middle = name.substr(prefix, name.size() - prefix - suffix);
    const std::size_t dash = middle.find('-');
    if (dash == 0 || dash == std::string::npos || dash > 8 || dash + 1 == middle.size()) {
        return 0;
    }
    unsigned long process = 0;
    for (std::size_t i = 0; i < middle.size(); ++i) {
        const char c = middle[i];
        const bool digit = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
        if (i != dash && !digit) {
            return 0;
        }
        if (i < dash) {
            process = process * 16 + static_cast<unsigned long>(c <= '9' ? c - '0' : c - 'a' + 10);
        }
    }
    return process;
}

/// True when no process with this id runs any more.
bool ProcessGone(unsigned long process)
{
#ifdef _WIN32
    HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(process));
    if (handle == nullptr) {
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    const bool ended = WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
    CloseHandle(handle);
    return ended;
#else
    return ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
#endif
}

/// Removes the temporary files that runs killed while saving left in folder.
void RemoveLeftovers(const fs::path& folder)
{
    const unsigned long self = static_cast<unsigned long>(CORVANE_GETPID());
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const unsigned long process = ProcessOfTemporary(PathText(it->path().filename()));
        if (process != 0 && process != self && ProcessGone(process)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

/// Creates a new temporary file in folder under a name no file has; nullptr (errno set) when the
/// folder takes no new file.
std::FILE* CreateTemporary(const fs::path& folder, std::string& name)
{
    static std::atomic<unsigned long> counter{0};
    // A name taken by a stale file is passed over for the next one.
    for (int attempt = 0; attempt < 64; ++attempt) {
        name = PathText(TemporaryName(folder, counter.fetch_add(1)));
        if (std::FILE* file = OpenFile(name, "wbx")) {
            return file;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
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
        return Failed(errno);
    }
    const bool written = WriteAll(file, bytes.data(), bytes.size()) && std::fflush(file) == 0;
    const int error = errno;
    return (CloseChecked(file) && written) || Failed(written ? errno : error);
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
    IgnoreFileSizeSignal();
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

std::string LastWriteFailure()
{
    return lastWriteFailure;
}

std::string WriteFailureDetails(const std::string& path)
{
    return lastWriteFailure.empty() ? path : path + ": " + lastWriteFailure;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes)
{
    IgnoreFileSizeSignal();
    lastWriteFailure.clear();
    std::error_code ec;
    // A device or a pipe (/dev/stdout, NUL, CON, a named pipe) is written to; there is no file to
    // replace. /dev/stdout may stand for a regular file the output was sent to.
    const fs::file_status kind = fs::status(NativePath(path), ec);
    const bool pipe = !ec && fs::is_fifo(kind);
    if (IsDeviceName(path) || pipe || (!ec && fs::is_character_file(kind))) {
        return WriteStraight(path, bytes, pipe);
    }
    std::string target = path;
    if (fs::is_symlink(fs::symlink_status(NativePath(path), ec))) {
        // Replace the file the link points to and keep the link itself.
        const fs::path resolved = fs::canonical(NativePath(path), ec);
        if (ec) {
            return Failed(ec.value());
        }
        target = PathText(resolved);
    }
    if (!TargetWritable(target)) {
        return Failed(DirectoryExists(target) ? EISDIR : EACCES);
    }

    // The new content goes to a temporary file beside the target and replaces it only once it is
    // whole: when the folder takes no new file (no space, no inode, no permission), the target
    // is never written in place, so the previous file stays as it was.
    const fs::path folder = NativePath(target).parent_path();
    RemoveLeftovers(folder);
    std::string temporary;
    std::FILE* file = CreateTemporary(folder, temporary);
    if (file == nullptr) {
        return Failed(errno);
    }
    const bool written = WriteAll(file, bytes.data(), bytes.size()) && std::fflush(file) == 0;
    int error = errno;
    if (!CloseChecked(file) || !written) {
        error = written ? errno : error;
        RemoveFileNamed(temporary);
        return Failed(error);
    }

    // A replaced file keeps its permissions.
    const fs::file_status old = fs::status(NativePath(target), ec);
    if (!ec && fs::exists(old)) {
        fs::permissions(NativePath(temporary), old.permissions(), fs::perm_options::replace, ec);
    }
    fs::rename(NativePath(temporary), NativePath(target), ec);
    if (ec) {
        RemoveFileNamed(temporary);
        return Failed(ec.value());
    }
    return true;
}
