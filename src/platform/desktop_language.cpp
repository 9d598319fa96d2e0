// desktop_language.cpp - DesktopLanguage from the environment, in the order the C library uses.
#include "platform/desktop_language.h"

#include <cstdlib>

std::string DesktopLanguage()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            return value;
        }
    }
    return std::string();
}
