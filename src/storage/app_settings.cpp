// app_settings.cpp - LDAP.ini read and written over SettingsFile; WinPos parsing and formatting.
#include "storage/app_settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

#include "storage/decimal_text.h"
#include "storage/settings_file.h"

namespace {

std::optional<std::string> OptionalString(SettingsFile& file, const char* key)
{
    std::string value = file.GetString(key, "");
    return value.empty() ? std::nullopt : std::optional<std::string>(std::move(value));
}

std::optional<int32_t> OptionalInt(SettingsFile& file, const char* key)
{
    const std::string value = file.GetString(key, "");
    return value.empty() ? std::nullopt : std::optional<int32_t>(ParseDecimal(value));
}

/// One decimal number at the start of text (white space, an optional sign, digits), as a
/// scanner of "%d" reads it; nullopt without digits or beyond the int range.
std::optional<int> ReadNumber(std::string_view& text)
{
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
    if (pos < text.size() && text[pos] == '+') {
        ++pos;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data() + pos, text.data() + text.size(), value);
    if (error != std::errc()) {
        return std::nullopt;
    }
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

}  // namespace

AppSettings LoadAppSettings(const std::string& path)
{
    SettingsFile file(true);
    file.Load(path);  // a missing or malformed file leaves every key on its default
    AppSettings settings;
    for (std::string value = file.GetString("Recent", ""); !value.empty(); value = file.GetNext("Recent")) {
        settings.recent.push_back(value);
    }
    settings.deactivate = file.GetBool("Deactivate", false);
    settings.useBuiltInFont = file.GetBool("UseBuildInFont", false);
    settings.useFontSettings = file.GetBool("UseFontSettings", true);
    settings.useFontHeight = file.GetBool("UseFontHeight", false);
    settings.font.faceName = OptionalString(file, "FontDefName");
    settings.font.charSet = OptionalInt(file, "FontDefCharset");
    settings.font.height = OptionalInt(file, "FontDefHeight");
    settings.font.pitchAndFamily = OptionalInt(file, "FontDefPitch");
    settings.winPos = file.GetString("WinPos", "");
    settings.languageName = file.GetString("LanguageName", "");
    return settings;
}

bool SaveAppSettings(const std::string& path, const AppSettings& settings)
{
    SettingsFile file(true);
    for (const std::string& entry : settings.recent) {
        file.Set("Recent", entry);
    }
    file.SetBool("Deactivate", settings.deactivate);
    file.SetBool("UseBuildInFont", settings.useBuiltInFont);
    file.SetBool("UseFontSettings", settings.useFontSettings);
    file.SetBool("UseFontHeight", settings.useFontHeight);
    if (settings.font.faceName) {
        file.Set("FontDefName", *settings.font.faceName);
    }
    const std::pair<const char*, const std::optional<int32_t>*> numbers[] = {
        {"FontDefCharset", &settings.font.charSet},
        {"FontDefHeight", &settings.font.height},
        {"FontDefPitch", &settings.font.pitchAndFamily},
    };
    for (const auto& [key, value] : numbers) {
        if (value->has_value()) {
            file.SetInt(key, **value);
        }
    }
    file.Set("WinPos", settings.winPos);
    file.Set("LanguageName", settings.languageName);
    return file.Save(path);
}

WindowPlacement ParseWinPos(const std::string& value)
{
    WindowPlacement placement;
    if (value == "MAX") {
        placement.kind = WindowPlacement::Kind::Maximised;
        return placement;
    }
    std::string_view rest = value;
    int numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (rest.empty() || rest.front() != ';') {
                return placement;
            }
            rest.remove_prefix(1);
        }
        const std::optional<int> number = ReadNumber(rest);
        if (!number) {
            return placement;
        }
        numbers[i] = *number;
    }
    const WindowRect rect{numbers[0], numbers[1], numbers[2], numbers[3]};
    // differences in 64 bits: a stored right far below a large left must not wrap round
    const bool usable =
        rect.left >= 0 && rect.top >= 0 && int64_t{rect.right} - rect.left > 0 && int64_t{rect.bottom} - rect.top > 0;
    if (usable) {
        placement.kind = WindowPlacement::Kind::Rectangle;
        placement.rect = rect;
    }
    return placement;
}

std::string FormatWinPos(const WindowRect& rect, bool maximised)
{
    if (maximised) {
        return "MAX";
    }
    return std::to_string(rect.left) + ";" + std::to_string(rect.top) + ";" + std::to_string(rect.right) + ";" +
           std::to_string(rect.bottom);
}

namespace {

/// The smallest rectangle holding every screen rect shares a pixel with; nullopt for none.
std::optional<WindowRect> TouchedScreens(const WindowRect& rect, std::span<const WindowRect> screens)
{
    std::optional<WindowRect> area;
    for (const WindowRect& screen : screens) {
        if (!LiesOnAScreen(rect, std::span<const WindowRect>(&screen, 1))) {
            continue;
        }
        if (!area) {
            area = screen;
        } else {
            area = WindowRect{std::min(area->left, screen.left), std::min(area->top, screen.top),
                              std::max(area->right, screen.right), std::max(area->bottom, screen.bottom)};
        }
    }
    return area;
}

}  // namespace

std::optional<WindowRect> ClipToScreens(const WindowRect& rect, std::span<const WindowRect> screens)
{
    const std::optional<WindowRect> area = TouchedScreens(rect, screens);
    if (!area) {
        return std::nullopt;
    }
    return WindowRect{std::max(rect.left, area->left), std::max(rect.top, area->top), std::min(rect.right, area->right),
                      std::min(rect.bottom, area->bottom)};
}

WindowRect MoveOntoScreens(const WindowRect& rect, std::span<const WindowRect> screens)
{
    const std::optional<WindowRect> area = TouchedScreens(rect, screens);
    if (!area) {
        return rect;
    }
    const int left = std::max(std::min(rect.left, area->right - rect.Width()), area->left);
    const int top = std::max(std::min(rect.top, area->bottom - rect.Height()), area->top);
    return {left, top, left + rect.Width(), top + rect.Height()};
}

bool LiesOnAScreen(const WindowRect& rect, std::span<const WindowRect> screens)
{
    return std::any_of(screens.begin(), screens.end(), [&rect](const WindowRect& screen) {
        return std::max(rect.left, screen.left) < std::min(rect.right, screen.right) &&
               std::max(rect.top, screen.top) < std::min(rect.bottom, screen.bottom);
    });
}
