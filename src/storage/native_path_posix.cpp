// native_path_posix.cpp - file names on Linux: the bytes of the text are the file name.
#include "storage/native_path.h"

std::filesystem::path NativePath(const std::string& path)
{
    return std::filesystem::path(path);
}

std::string PathText(const std::filesystem::path& path)
{
    return path.string();
}

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}

int RemoveFileNamed(const std::string& path)
{
    return std::remove(path.c_str());
}

bool IsDeviceName(const std::string& path)
{
    return path.starts_with("/dev/");
}
