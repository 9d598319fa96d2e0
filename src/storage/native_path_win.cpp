// native_path_win.cpp - file names on Windows: UTF-8 text converted to UTF-16 for the wide file
// functions, and back.
#include "storage/native_path.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstring>

namespace {

std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

std::filesystem::path NativePath(const std::string& path)
{
    return std::filesystem::path(Wide(path));
}

std::string PathText(const std::filesystem::path& path)
{
    return Narrow(path.wstring());
}

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    // The runtime's fopen may not know "x": create exclusively through the descriptor call.
    if (std::strcmp(mode, "wbx") == 0) {
        int fd = -1;
        if (_wsopen_s(&fd, Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYNO,
                      _S_IREAD | _S_IWRITE) != 0)
            return nullptr;
        std::FILE* file = _fdopen(fd, "wb");
        if (file == nullptr)
            _close(fd);
        return file;
    }
    return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

int RemoveFileNamed(const std::string& path)
{
    return _wremove(Wide(path).c_str());
}
