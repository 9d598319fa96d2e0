// font_settings.h - FontSettings: the font every window of the program takes, built from the
// system's message font and the main window's own font, changed by LDAP.ini.
#pragma once

#include <string>

#include <wx/font.h>

#include "app/fonts/font_description.h"

class wxWindow;

/**
 * The definition font and the flags that build it. One per main window; the other windows borrow
 * it for ApplyTo and CopyDefinitionFont. The definition is kept as its description, so the values
 * read from LDAP.ini are written back as they were, whatever the toolkit makes of them.
 */
class FontSettings {
public:
    /// Flags at their initial values (built-in font off, font settings on, heights off), then Rebuild.
    explicit FontSettings(wxWindow* owner);

    /// System font = the system's message font; dialog font = the owner's current font; the
    /// definition from them (DefinitionOf).
    void Rebuild();

    const FontDescription& Definition() const { return m_definition; }
    const std::string& FaceName() const { return m_definition.faceName; }
    int32_t CharSet() const { return m_definition.charSet; }
    int32_t Height() const { return m_definition.height; }
    int32_t PitchAndFamily() const { return m_definition.pitchAndFamily; }

    /// The face name, cut to 31 bytes.
    void SetFaceName(const std::string& name);
    void SetCharSet(int32_t charSet);
    void SetPitchAndFamily(int32_t pitchAndFamily);
    /// Changes the height only while UseFontHeight is on.
    void SetHeight(int32_t height);

    /// The window's font with the definition's face name, character set and pitch (and height
    /// when takeHeight), set on the window with redrawing and on every descendant.
    void ApplyTo(wxWindow* window, bool takeHeight);
    /// target becomes a font of the definition.
    void CopyDefinitionFont(wxFont& target) const;

    bool UseBuiltInFont() const { return m_useBuiltInFont; }
    bool UseFontSettings() const { return m_useFontSettings; }
    bool UseFontHeight() const { return m_useFontHeight; }
    void SetUseBuiltInFont(bool use) { m_useBuiltInFont = use; }
    void SetUseFontSettings(bool use) { m_useFontSettings = use; }
    void SetUseFontHeight(bool use) { m_useFontHeight = use; }

private:
    void SetDefinition(const FontDescription& definition);

    wxWindow* m_owner;
    int m_dpi;
    bool m_useBuiltInFont = false;
    bool m_useFontSettings = true;
    bool m_useFontHeight = false;
    wxFont m_systemFont;
    wxFont m_dialogFont;
    wxFont m_definitionFont;
    wxFont m_appliedFont;
    FontDescription m_definition;
};
