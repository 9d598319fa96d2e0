// font_description.h - the font model of the program's windows: the four values LDAP.ini keeps
// (face name, character set, height, pitch and family) with the rules that combine them. No window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct StoredFont;

/// Longest face name a font description holds, in bytes.
inline constexpr std::size_t kFaceNameLimit = 31;

/** A font as LDAP.ini describes it; weight and style travel along unchanged. */
struct FontDescription {
    std::string faceName;        ///< at most kFaceNameLimit bytes
    int32_t charSet = 1;         ///< character-set number (0 ANSI, 1 default, 2 symbol, 204 Cyrillic, ...)
    int32_t height = 0;          ///< logical units: negative = character height in pixels, positive = cell height
    int32_t pitchAndFamily = 0;  ///< pitch in the low two bits (1 fixed, 2 variable), family in the high four
    int32_t weight = 400;        ///< 400 normal, 700 bold
    bool italic = false;

    bool operator==(const FontDescription&) const = default;
};

/// The font sizes a window can be shown in, in points: a stored height outside them is not applied.
inline constexpr int32_t kSmallestFontPoints = 6;
inline constexpr int32_t kLargestFontPoints = 72;

/// True when a height in logical units (negative: character height, positive: cell height, in
/// pixels at the design resolution of 96 dots per inch) lies within kSmallestFontPoints to
/// kLargestFontPoints. 0, which names no size, is not usable either.
bool UsableFontHeight(int32_t height);

/// name cut to kFaceNameLimit bytes (never inside a character).
std::string FaceNameOf(const std::string& name);

/// The definition font: the dialog's font, taking face name, character set and pitch from the
/// system's message font unless useBuiltInFont, and then its height too when useFontHeight.
FontDescription DefinitionOf(const FontDescription& systemFont, const FontDescription& dialogFont, bool useBuiltInFont,
                             bool useFontHeight);

/// The definition font with the values stored in LDAP.ini in place of its own; the height only
/// when useFontHeight and usable (UsableFontHeight), so the default stays in place of a size
/// that cannot be shown and nothing unusable is saved again.
FontDescription WithStoredValues(FontDescription definition, const StoredFont& stored, bool useFontHeight);

/// A window's font given the definition: face name, character set and pitch from the definition,
/// and the height too when takeHeight; everything else the window's own.
FontDescription AppliedTo(const FontDescription& windowFont, const FontDescription& definition, bool takeHeight);
