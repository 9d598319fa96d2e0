// font_settings.cpp - FontSettings over wx fonts.
#include "app/fonts/font_settings.h"

#include <wx/settings.h>
#include <wx/window.h>

#include "app/fonts/font_mapping.h"
#include "platform/screen.h"

namespace {

/// font on every descendant of window, at every depth, without redrawing them one by one.
void SetFontOnDescendants(wxWindow* window, const wxFont& font)
{
    for (wxWindow* child : window->GetChildren()) {
        child->SetFont(font);
        SetFontOnDescendants(child, font);
    }
}

}  // namespace

FontSettings::FontSettings(wxWindow* owner) : m_owner(owner), m_dpi(ScreenDpi())
{
    Rebuild();
}

void FontSettings::Rebuild()
{
    m_systemFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    m_dialogFont = m_owner != nullptr ? m_owner->GetFont() : m_systemFont;
    SetDefinition(DefinitionOf(DescribeFont(m_systemFont, m_dpi), DescribeFont(m_dialogFont, m_dpi), m_useBuiltInFont,
                               m_useFontHeight));
}

void FontSettings::SetDefinition(const FontDescription& definition)
{
    m_definition = definition;
    m_definitionFont = MakeFont(m_definition, m_dpi);
}

void FontSettings::SetFaceName(const std::string& name)
{
    FontDescription definition = m_definition;
    definition.faceName = FaceNameOf(name);
    SetDefinition(definition);
}

void FontSettings::SetCharSet(int32_t charSet)
{
    FontDescription definition = m_definition;
    definition.charSet = charSet;
    SetDefinition(definition);
}

void FontSettings::SetPitchAndFamily(int32_t pitchAndFamily)
{
    FontDescription definition = m_definition;
    definition.pitchAndFamily = pitchAndFamily;
    SetDefinition(definition);
}

void FontSettings::SetHeight(int32_t height)
{
    if (!m_useFontHeight) {
        return;
    }
    FontDescription definition = m_definition;
    definition.height = height;
    SetDefinition(definition);
}

void FontSettings::ApplyTo(wxWindow* window, bool takeHeight)
{
    if (window == nullptr) {
        return;
    }
    const FontDescription applied = AppliedTo(DescribeFont(window->GetFont(), m_dpi), m_definition, takeHeight);
    m_appliedFont = MakeFont(applied, m_dpi);
    window->SetFont(m_appliedFont);
    SetFontOnDescendants(window, m_appliedFont);
    window->Refresh();
}

void FontSettings::CopyDefinitionFont(wxFont& target) const
{
    target = MakeFont(m_definition, m_dpi);
}
