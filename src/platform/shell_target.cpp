// shell_target.cpp - addresses in host form recognised, so a web link without a scheme opens.
#include "platform/shell_target.h"

#include <filesystem>
#include <system_error>

namespace {

/// Letters, digits, "-" and inner dots, with at least one dot, up to the first "/".
bool IsHostForm(const std::string& target)
{
    const std::string host = target.substr(0, target.find('/'));
    if (host.empty() || host.front() == '.' || host.back() == '.' || host.find('.') == std::string::npos) {
        return false;
    }
    for (const char c : host) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsAddress(const std::string& target)
{
    return target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0;
}

std::string OpenerArgument(const std::string& target)
{
    if (IsAddress(target)) {
        return target;
    }
    std::error_code error;
    if (std::filesystem::exists(target, error)) {
        return target;
    }
    return IsHostForm(target) ? "http://" + target : target;
}
