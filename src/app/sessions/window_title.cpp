// window_title.cpp - the main window's title rule.
#include "app/sessions/window_title.h"

#include "storage/file_utils.h"

std::string WindowTitle(const std::string& profilePath, const std::string& bindUser)
{
    std::string title = "Corvane LDAP";
    if (!profilePath.empty()) {
        title += " - " + FileNameOf(profilePath);
    }
    // whom the searches run as
    if (!bindUser.empty()) {
        title += " (" + bindUser + ")";
    }
    return title;
}
