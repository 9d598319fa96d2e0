// fuzz_input.h - shared pieces of the fuzz targets: the input as a file on disk, the keys found in
// it, and the lookups every settings fuzzer runs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>
#include <string>
#include <vector>

#include "storage/settings_file.h"

/// A per-process file in the temporary folder that holds the current input; removed at exit.
inline const std::string& InputPath()
{
    struct InputFile {
        std::string path = (std::filesystem::temp_directory_path() /
                            ("corvane-fuzz-" + std::to_string(static_cast<long>(getpid())) + ".in"))
                               .string();
        ~InputFile() { std::remove(path.c_str()); }
    };
    static const InputFile file;
    return file.path;
}

/// Writes the input to InputPath() byte for byte; aborts when that fails (a broken run, not a find).
inline const std::string& WriteInput(const uint8_t* data, std::size_t size)
{
    const std::string& path = InputPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
        std::abort();
    }
    return path;
}

/// Up to 12 keys taken from the input: the names between "<" and ">" (XML form) or before "=\""
/// (plain form), each also with its last two bytes only, to reach the substring matches.
inline std::vector<std::string> KeysIn(const std::string& text, bool xmlForm)
{
    std::vector<std::string> keys;
    std::size_t pos = 0;
    while (keys.size() < 12) {
        std::size_t begin = 0;
        std::size_t end = 0;
        if (xmlForm) {
            begin = text.find('<', pos);
            if (begin == std::string::npos) {
                break;
            }
            ++begin;
            end = text.find('>', begin);
        } else {
            end = text.find("=\"", pos);
            if (end == std::string::npos) {
                break;
            }
            begin = text.rfind('\n', end);
            begin = begin == std::string::npos ? 0 : begin + 1;
        }
        if (end == std::string::npos) {
            break;
        }
        if (end - begin <= 64) {
            const std::string key = text.substr(begin, end - begin);
            keys.push_back(key);
            if (key.size() > 2) {
                keys.push_back(key.substr(key.size() - 2));
            }
        }
        pos = end + 1;
    }
    keys.push_back("");
    return keys;
}

/// Runs every kind of lookup for each key, walking each list to its end.
inline void RunLookups(SettingsFile& file, const std::vector<std::string>& keys)
{
    for (const std::string& key : keys) {
        const std::string value = file.GetString(key, "default");
        if (value.empty()) {
            std::abort();  // an empty value must give the default
        }
        (void)file.GetInt(key, -1);
        (void)file.GetBool(key, true);
        std::size_t walked = 0;
        while (!file.GetNext(key).empty()) {
            if (++walked > file.Content().size()) {
                std::abort();  // the cursor must move forward
            }
        }
    }
}

/// One settings-file fuzz run in either form: load the input, run the lookups with keys taken
/// from it, and check that what was loaded saves and loads again unchanged.
inline int FuzzSettingsFile(const uint8_t* data, std::size_t size, bool xmlForm)
{
    const std::string& path = WriteInput(data, size);
    SettingsFile file(xmlForm);
    const bool loaded = file.Load(path);
    RunLookups(file, KeysIn(std::string(reinterpret_cast<const char*>(data), size), xmlForm));

    // An empty plain file cannot load, so an empty plain content has no round trip.
    if (loaded && (xmlForm || !file.Content().empty())) {
        if (!file.Save(path)) {
            std::abort();
        }
        SettingsFile again(xmlForm);
        if (!again.Load(path) || again.Content() != file.Content() || again.RootName() != file.RootName()) {
            std::abort();
        }
    }
    return 0;
}
