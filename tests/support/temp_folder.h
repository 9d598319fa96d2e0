// temp_folder.h - a private temporary folder for one test, removed with everything in it, and the
// whole-file reads and writes the tests make in it. Header-only, for every test program.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

/** A fresh folder below the system's temporary folder; its path ends with a separator ("/"). */
class TempFolder {
public:
    TempFolder()
    {
        // a name no other folder has, made by the one call that fails when it exists
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::filesystem::path folder;
        do {
            folder = base / ("corvane-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(folder));
        m_path = folder.generic_string() + "/";
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    /// The path of name inside the folder.
    std::string operator/(const std::string& name) const { return m_path + name; }
    std::string File(const std::string& name) const { return m_path + name; }
    const std::string& Path() const { return m_path; }

    /// Number of entries in the folder (to spot left-over temporary files).
    std::size_t EntryCount() const
    {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_path)) {
            ++n;
        }
        return n;
    }

private:
    std::string m_path;
};

/// Writes bytes to path exactly as given.
inline void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    ASSERT_EQ(std::fclose(file), 0);
}

/// The bytes of path, or "<missing>" when it cannot be read.
inline std::string ReadBytes(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return "<missing>";
    }
    std::string bytes;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    std::fclose(file);
    return bytes;
}
