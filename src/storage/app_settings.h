// app_settings.h - the application settings file LDAP.ini: its keys as a struct, read and written
// over SettingsFile, and the window position value WinPos.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

/** The definition font's four stored values; a value missing (or empty) in the file is nullopt. */
struct StoredFont {
    std::optional<std::string> faceName;    ///< FontDefName
    std::optional<int32_t> charSet;         ///< FontDefCharset
    std::optional<int32_t> height;          ///< FontDefHeight, logical units (negative: character height)
    std::optional<int32_t> pitchAndFamily;  ///< FontDefPitch
};

/** Every key of LDAP.ini, in the order the file holds them. */
struct AppSettings {
    std::vector<std::string> recent;  ///< Recent, top first; reading stops at the first empty one
    bool deactivate = false;          ///< Deactivate
    bool useBuiltInFont = false;      ///< UseBuildInFont
    bool useFontSettings = true;      ///< UseFontSettings
    bool useFontHeight = false;       ///< UseFontHeight
    StoredFont font;                  ///< FontDefName, FontDefCharset, FontDefHeight, FontDefPitch
    std::string winPos;               ///< WinPos: "left;top;right;bottom", "MAX" or ""
    std::string languageName;         ///< LanguageName: "" when the user never chose a language
};

/// Reads LDAP.ini; a missing or malformed file gives the defaults.
AppSettings LoadAppSettings(const std::string& path);
/// Writes LDAP.ini anew from settings, entries in their fixed order (font values only when
/// present; the window always has them). False when it could not be written.
bool SaveAppSettings(const std::string& path, const AppSettings& settings);

/** A window's outer rectangle in screen pixels; right and bottom lie just outside it. */
struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const WindowRect&) const = default;
};

/** What a WinPos value asks for. */
struct WindowPlacement {
    enum class Kind {
        Unchanged,  ///< "" or an unusable value: the window stays as created
        Maximised,  ///< "MAX"
        Rectangle   ///< rect
    };
    Kind kind = Kind::Unchanged;
    WindowRect rect;
};

/// Reads a WinPos value: "MAX", or four decimal numbers separated by ";" (left, top, right,
/// bottom) with left and top not negative and a rectangle that is not empty. Anything else,
/// fewer than four readable numbers included, leaves the window unchanged.
WindowPlacement ParseWinPos(const std::string& value);
/// "MAX" when maximised, else "left;top;right;bottom".
std::string FormatWinPos(const WindowRect& rect, bool maximised);
/// rect cut to the screens it shares a pixel with (to the smallest rectangle holding them all), so
/// a stored size larger than the screens never makes a window larger than they are; nullopt when
/// it lies on none of them.
std::optional<WindowRect> ClipToScreens(const WindowRect& rect, std::span<const WindowRect> screens);
/// rect moved, its size kept, so that it lies whole within the screens it shares a pixel with
/// (their smallest enclosing rectangle), its top left kept in view where it is larger; rect
/// itself when it lies on none of them.
WindowRect MoveOntoScreens(const WindowRect& rect, std::span<const WindowRect> screens);
/// True when rect shares at least one pixel with one of the screens.
bool LiesOnAScreen(const WindowRect& rect, std::span<const WindowRect> screens);
