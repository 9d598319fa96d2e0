// host_path.h - paths handed over by the build machine (build folders, environment variables) in
// the form the test program's own file calls take.
#pragma once

#include <string>

/// The path as this program opens it: unchanged on POSIX; on Windows under Wine, an absolute
/// Unix path such as "/tmp/x" is reached through Wine's root drive, as "Z:\tmp\x".
std::string HostPath(const std::string& path);
