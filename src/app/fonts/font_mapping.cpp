// font_mapping.cpp - FontDescription <-> wxFont: character sets, heights, pitch and family.
#include "app/fonts/font_mapping.h"

#include <cmath>
#include <cstddef>

#include <wx/dcscreen.h>
#include <wx/settings.h>

#include "platform/text.h"

namespace {

/// A number a stored font description holds and the toolkit's value it stands for.
template <class Value>
struct StoredNumber {
    int32_t number;
    Value value;
};

// the stored character-set numbers and the encodings they stand for
const StoredNumber<wxFontEncoding> kCharSets[] = {
    {0, wxFONTENCODING_CP1252},   {1, wxFONTENCODING_SYSTEM},   {77, wxFONTENCODING_MACROMAN},
    {128, wxFONTENCODING_CP932},  {129, wxFONTENCODING_CP949},  {134, wxFONTENCODING_CP936},
    {136, wxFONTENCODING_CP950},  {161, wxFONTENCODING_CP1253}, {162, wxFONTENCODING_CP1254},
    {163, wxFONTENCODING_CP1258}, {177, wxFONTENCODING_CP1255}, {178, wxFONTENCODING_CP1256},
    {186, wxFONTENCODING_CP1257}, {204, wxFONTENCODING_CP1251}, {222, wxFONTENCODING_CP874},
    {238, wxFONTENCODING_CP1250}, {255, wxFONTENCODING_CP437},
};

constexpr int32_t kDefaultCharSet = 1;
constexpr int32_t kFixedPitch = 1;
constexpr int32_t kVariablePitch = 2;

// the family in the high four bits of the pitch-and-family byte
const StoredNumber<wxFontFamily> kFamilies[] = {
    {0x00, wxFONTFAMILY_DEFAULT}, {0x10, wxFONTFAMILY_ROMAN},  {0x20, wxFONTFAMILY_SWISS},
    {0x30, wxFONTFAMILY_MODERN},  {0x40, wxFONTFAMILY_SCRIPT}, {0x50, wxFONTFAMILY_DECORATIVE},
};

/// The result member of the table's first entry whose key member is wanted; fallback when none is.
template <class Entry, std::size_t N, class Key, class Result>
Result Translated(const Entry (&table)[N], Key Entry::*key, Key wanted, Result Entry::*result, Result fallback)
{
    for (const Entry& entry : table) {
        if (entry.*key == wanted) {
            return entry.*result;
        }
    }
    return fallback;
}

using CharSet = StoredNumber<wxFontEncoding>;
using Family = StoredNumber<wxFontFamily>;

int32_t PitchAndFamilyOf(const wxFont& font)
{
    const wxFontFamily family = font.GetFamily();
    if (family == wxFONTFAMILY_TELETYPE) {
        return 0x30 | kFixedPitch;
    }
    return Translated(kFamilies, &Family::value, family, &Family::number, 0x00) |
           (font.IsFixedWidth() ? kFixedPitch : kVariablePitch);
}

wxFontFamily FamilyOf(int32_t pitchAndFamily)
{
    const int32_t bits = pitchAndFamily & 0xF0;
    const bool fixed = (pitchAndFamily & 0x03) == kFixedPitch;
    if (fixed && (bits == 0x00 || bits == 0x30)) {
        return wxFONTFAMILY_TELETYPE;
    }
    return Translated(kFamilies, &Family::number, bits, &Family::value, wxFONTFAMILY_DEFAULT);
}

}  // namespace

FontDescription DescribeFont(const wxFont& font, int dpi)
{
    FontDescription description;
    if (!font.IsOk()) {
        return description;
    }
    description.faceName = FaceNameOf(FromWx(font.GetFaceName()));
    description.charSet = Translated(kCharSets, &CharSet::value, font.GetEncoding(), &CharSet::number, kDefaultCharSet);
    description.height = -static_cast<int32_t>(std::lround(font.GetFractionalPointSize() * dpi / 72.0));
    description.pitchAndFamily = PitchAndFamilyOf(font);
    description.weight = font.GetNumericWeight();
    description.italic = font.GetStyle() != wxFONTSTYLE_NORMAL;
    return description;
}

wxFont MakeFont(const FontDescription& description, int dpi)
{
    const double normalSize = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetFractionalPointSize();
    const double pixelsToPoints = 72.0 / (dpi > 0 ? dpi : 96);
    double pointSize = normalSize;
    if (description.height != 0) {
        pointSize = std::abs(static_cast<double>(description.height)) * pixelsToPoints;
    }

    wxFontInfo info(pointSize);
    info.Family(FamilyOf(description.pitchAndFamily))
        .Encoding(
            Translated(kCharSets, &CharSet::number, description.charSet, &CharSet::value, wxFONTENCODING_DEFAULT));
    if (!description.faceName.empty()) {
        info.FaceName(ToWx(description.faceName));
    }
    info.Italic(description.italic);
    wxFont font(info);
    font.SetNumericWeight(description.weight > 0 && description.weight <= 1000 ? description.weight : 400);

    if (description.height > 0) {
        // a cell height holds the character and its leading: shrink the font until its cell fits
        wxScreenDC dc;
        dc.SetFont(font);
        const int cell = dc.GetCharHeight();
        if (cell > 0) {
            font.SetFractionalPointSize(pointSize * description.height / cell);
        }
    }
    return font;
}
