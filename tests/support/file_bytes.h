// file_bytes.h - a file's bytes exactly as stored, for the tests that check what was written.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

/// The bytes of the file at path; empty when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
