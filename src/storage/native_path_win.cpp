// native_path_win.cpp - file names on Windows: UTF-8 text converted to UTF-16 for the wide file
// functions, and back.
#include "storage/native_path.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <string_view>

#include "storage/wide_text.h"

std::filesystem::path NativePath(const std::string& path)
{
    return std::filesystem::path(WideText(path));
}

std::string PathText(const std::filesystem::path& path)
{
    return Utf8Text(path.wstring());
}

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    // The runtime's fopen may not know "x": create exclusively through the descriptor call.
    if (std::strcmp(mode, "wbx") == 0) {
        int fd = -1;
        if (_wsopen_s(&fd, WideText(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYNO,
                      _S_IREAD | _S_IWRITE) != 0) {
            return nullptr;
        }
        std::FILE* file = _fdopen(fd, "wb");
        if (file == nullptr) {
            _close(fd);
        }
        return file;
    }
    return _wfopen(WideText(path).c_str(), WideText(mode).c_str());
}

int RemoveFileNamed(const std::string& path)
{
    return _wremove(WideText(path).c_str());
}

bool IsDeviceName(const std::string& path)
{
    if (path.starts_with("\\\\.\\") || path.starts_with("//./")) {
        return true;
    }
    // The last part of the path up to its first dot, without the colon and spaces that may follow.
    std::string name = path;
    while (!name.empty() && (name.back() == ':' || name.back() == ' ')) {
        name.pop_back();
    }
    name = name.substr(name.find_last_of("\\/:") + 1);
    name = name.substr(0, name.find_first_of(". "));
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    static constexpr std::array<std::string_view, 6> kNames = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    if (std::find(kNames.begin(), kNames.end(), name) != kNames.end()) {
        return true;
    }
    return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) && name[3] >= '1' && name[3] <= '9';
}
