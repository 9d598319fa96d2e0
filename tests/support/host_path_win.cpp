// host_path_win.cpp - on Windows under Wine, the build machine's Unix paths through drive Z:.
#include "host_path.h"

#include <algorithm>

std::string HostPath(const std::string& path)
{
    if (path.empty() || path.front() != '/') {
        return path;
    }
    std::string windows = "Z:" + path;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    return windows;
}
