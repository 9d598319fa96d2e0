// fuzz_app_settings.cpp - fuzzes reading LDAP.ini into the application settings and the window
// position value, both as stored in the file and as the whole input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "storage/app_settings.h"

namespace {

/// A placement that asks for a rectangle always has a usable one.
void CheckPlacement(const std::string& value)
{
    const WindowPlacement placement = ParseWinPos(value);
    if (placement.kind != WindowPlacement::Kind::Rectangle) {
        return;
    }
    const WindowRect& rect = placement.rect;
    if (rect.left < 0 || rect.top < 0 || rect.right <= rect.left || rect.bottom <= rect.top) {
        std::abort();
    }
    if (ParseWinPos(FormatWinPos(rect, false)).rect != rect) {
        std::abort();  // written back as read
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const AppSettings settings = LoadAppSettings(WriteInput(data, size));
    for (const std::string& entry : settings.recent) {
        if (entry.empty()) {
            std::abort();  // the list ends at the first empty entry
        }
    }
    CheckPlacement(settings.winPos);
    CheckPlacement(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
