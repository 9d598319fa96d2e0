// native_path_win.cpp - file names on Windows: UTF-8 text converted to UTF-16 for the wide file
// functions, and back.
#include "storage/native_path.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstring>

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
                      _S_IREAD | _S_IWRITE) != 0)
            return nullptr;
        std::FILE* file = _fdopen(fd, "wb");
        if (file == nullptr)
            _close(fd);
        return file;
    }
    return _wfopen(WideText(path).c_str(), WideText(mode).c_str());
}

int RemoveFileNamed(const std::string& path)
{
    return _wremove(WideText(path).c_str());
}
