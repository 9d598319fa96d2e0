// file_utils.cpp - small stateless file helpers: attributes, path parts, append, remove, whole-file
// read and the replacing write that never destroys the previous file.
#include "storage/file_utils.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define CORVANE_GETPID _getpid
#else
#include <unistd.h>
#define CORVANE_GETPID getpid
#endif

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

/// Closes a stream and reports whether both the close and every earlier write succeeded.
bool CloseChecked(std::FILE* file) {
    const bool hadError = std::ferror(file) != 0;
    return std::fclose(file) == 0 && !hadError;
}

bool WriteAll(std::FILE* file, const char* data, std::size_t size) {
    return size == 0 || std::fwrite(data, 1, size, file) == size;
}

/// A temporary file name beside path that no other writer of this process uses at the same time.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(static_cast<long>(CORVANE_GETPID())) + "_" +
           std::to_string(counter.fetch_add(1));
}

/// True when an existing target can be opened for writing (without changing it). Only regular
/// files are replaced: a directory, a device or a file the system refuses to open for writing
/// is left alone.
bool TargetWritable(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        return true;  // nothing there yet: creating it in the folder decides
    }
    if (!fs::is_regular_file(status)) {
        return false;
    }
    std::FILE* probe = std::fopen(path.c_str(), "r+b");
    if (probe == nullptr) {
        return false;
    }
    std::fclose(probe);
    return true;
}

}  // namespace

bool FileExists(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    return !ec && fs::is_directory(status);
}

std::string DirectoryOf(const std::string& path) {
    for (std::size_t i = path.size(); i-- > 1;) {
        if (IsSeparator(path[i])) {
            return path.substr(0, i + 1);
        }
    }
    return path;
}

std::string FileNameOf(const std::string& path) {
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

bool AppendLine(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
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

bool RemoveFile(const std::string& path, bool makeWritable) {
    if (DirectoryExists(path)) {
        return false;  // only files are removed here, never a folder
    }
    if (makeWritable) {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    }
    return std::remove(path.c_str()) == 0;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    std::string data;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        data.append(buffer, got);
    }
    if (!CloseChecked(file)) {
        return false;
    }
    bytes = std::move(data);
    return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes) {
    std::string target = path;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        // Replace the file the link points to and keep the link itself.
        const fs::path resolved = fs::canonical(path, ec);
        if (ec) {
            return false;
        }
        target = resolved.string();
    }
    if (!TargetWritable(target)) {
        return false;
    }

    const std::string temporary = TemporaryNameFor(target);
    std::FILE* file = std::fopen(temporary.c_str(), "wbx");
    if (file == nullptr) {
        return false;
    }
    const bool written = WriteAll(file, bytes.data(), bytes.size()) && std::fflush(file) == 0;
    if (!CloseChecked(file) || !written) {
        std::remove(temporary.c_str());
        return false;
    }

    // A replaced file keeps its permissions.
    const fs::file_status old = fs::status(target, ec);
    if (!ec && fs::exists(old)) {
        fs::permissions(temporary, old.permissions(), fs::perm_options::replace, ec);
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
