// host_path_posix.cpp - on POSIX the build machine's paths are the program's.
#include "host_path.h"

std::string HostPath(const std::string& path)
{
    return path;
}
