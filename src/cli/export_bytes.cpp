// export_bytes.cpp - the export's bytes, taken from the one writer of the export format so that
// the command line can never drift from the window's export.
#include "cli/export_bytes.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "directory/result_table.h"
#include "storage/file_utils.h"

namespace fs = std::filesystem;

namespace {

/// Creates a new folder only this call uses; empty path when none could be made.
fs::path MakePrivateFolder()
{
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) {
        return {};
    }
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path folder = base / ("corvane-search-" + std::to_string(random()));
        // create_directory is true only when this call made the folder, so nobody else owns it.
        if (fs::create_directory(folder, ec) && !ec) {
            fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
            return folder;
        }
    }
    return {};
}

}  // namespace

bool ExportBytes(const ResultTable& table, std::string& bytes)
{
    const fs::path folder = MakePrivateFolder();
    if (folder.empty()) {
        return false;
    }
    const std::string file = (folder / "export.csv").string();
    const bool ok = table.WriteToFile(file) && ReadWholeFile(file, bytes);
    std::error_code ec;
    fs::remove(file, ec);
    fs::remove(folder, ec);
    return ok;
}
