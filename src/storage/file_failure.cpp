// file_failure.cpp - the system's reason for a failed read or write, found by trying the path
// again the harmless way: opening without changing anything, or creating and removing a probe.
#include "storage/file_failure.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "storage/file_utils.h"

namespace fs = std::filesystem;

namespace {

std::string Reason(std::errc code)
{
    return std::make_error_code(code).message();
}

std::string LastSystemError()
{
    return std::error_code(errno, std::generic_category()).message();
}

std::string ReadReason(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec) {
        return ec.message();
    }
    if (fs::is_directory(status)) {
        return Reason(std::errc::is_a_directory);
    }
    if (!fs::is_regular_file(status)) {
        return Reason(std::errc::invalid_argument);  // a pipe or a device is never read
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        return ec.message();
    }
    if (size > kMaxReadFileBytes) {
        return Reason(std::errc::file_too_large);
    }
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return LastSystemError();
    }
    std::fclose(file);
    return {};
}

/// Creates and removes a probe file in folder: what the system says to a new file there.
std::string CreateReason(const fs::path& folder)
{
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (ec) {
        return ec.message();
    }
    if (!fs::is_directory(status)) {
        return Reason(std::errc::not_a_directory);
    }
    const fs::path probe = folder / ".cv-probe.tmp";
    errno = 0;
    std::FILE* file = std::fopen(probe.string().c_str(), "wbx");
    if (file == nullptr) {
        return errno == EEXIST ? std::string() : LastSystemError();
    }
    std::fclose(file);
    std::remove(probe.string().c_str());
    return {};
}

std::string WriteReason(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!ec && fs::is_directory(status)) {
        return Reason(std::errc::is_a_directory);
    }
    if (!ec && fs::exists(status)) {
        errno = 0;
        std::FILE* file = std::fopen(path.c_str(), "r+b");
        if (file == nullptr) {
            return LastSystemError();
        }
        std::fclose(file);
    }
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string reason = CreateReason(folder);
    if (!reason.empty()) {
        return reason;
    }
    // everything opens: what fails is the writing itself
    const fs::space_info space = fs::space(folder, ec);
    if (!ec && space.available == 0) {
        return Reason(std::errc::no_space_on_device);
    }
    return {};
}

}  // namespace

std::string FileFailureReason(const std::string& path, FileAccess access)
{
    return access == FileAccess::Read ? ReadReason(path) : WriteReason(path);
}

std::string FileFailureDetails(const std::string& path, FileAccess access)
{
    const std::string reason = FileFailureReason(path, access);
    return reason.empty() ? path : path + ": " + reason;
}

std::string FileFailureMessage(const std::string& firstLine, const std::string& path, FileAccess access)
{
    return firstLine + "\n" + FileFailureDetails(path, access);
}
