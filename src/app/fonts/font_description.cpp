// font_description.cpp - the rules that combine font descriptions.
#include "app/fonts/font_description.h"

#include "platform/text_codec.h"
#include "storage/app_settings.h"

bool UsableFontHeight(int32_t height)
{
    // Pixels at 96 dots per inch are points times 96 / 72; in 64 bits, so no height wraps round.
    const int64_t pixels = height < 0 ? -int64_t{height} : int64_t{height};
    return pixels * 72 >= int64_t{kSmallestFontPoints} * 96 && pixels * 72 <= int64_t{kLargestFontPoints} * 96;
}

std::string FaceNameOf(const std::string& name)
{
    return CutToBytes(name, kFaceNameLimit);
}

FontDescription DefinitionOf(const FontDescription& systemFont, const FontDescription& dialogFont, bool useBuiltInFont,
                             bool useFontHeight)
{
    // the system font's face, character set and pitch (and height) in the dialog font
    return useBuiltInFont ? dialogFont : AppliedTo(dialogFont, systemFont, useFontHeight);
}

FontDescription WithStoredValues(FontDescription definition, const StoredFont& stored, bool useFontHeight)
{
    if (stored.faceName) {
        definition.faceName = FaceNameOf(*stored.faceName);
    }
    if (stored.charSet) {
        definition.charSet = *stored.charSet;
    }
    if (stored.height && useFontHeight && UsableFontHeight(*stored.height)) {
        definition.height = *stored.height;
    }
    if (stored.pitchAndFamily) {
        definition.pitchAndFamily = *stored.pitchAndFamily;
    }
    return definition;
}

FontDescription AppliedTo(const FontDescription& windowFont, const FontDescription& definition, bool takeHeight)
{
    FontDescription applied = windowFont;
    applied.faceName = definition.faceName;
    applied.charSet = definition.charSet;
    applied.pitchAndFamily = definition.pitchAndFamily;
    if (takeHeight) {
        applied.height = definition.height;
    }
    return applied;
}
