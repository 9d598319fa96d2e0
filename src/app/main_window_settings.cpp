// main_window_settings.cpp - CLDAPDlg and LDAP.ini: loading at start-up, the window's placement,
// the recent list, and saving once on every way out.
#include <wx/display.h>

#include "app/font_settings.h"
#include "app/main_window.h"
#include "app/main_window_resizer.h"
#include "app/recent_menu.h"
#include "app/start_placement_guard.h"
#include "localisation/text_keys.h"
#include "platform/screen.h"
#include "storage/file_utils.h"

namespace {

WindowRect ToWindowRect(const wxRect& rect)
{
    return {rect.GetLeft(), rect.GetTop(), rect.GetLeft() + rect.GetWidth(), rect.GetTop() + rect.GetHeight()};
}

/// A stored rectangle is used only where a screen shows it, so a window last closed on a screen
/// that is gone does not open out of sight, and only as large as those screens.
std::optional<WindowRect> OnConnectedScreens(const WindowRect& rect)
{
    std::vector<WindowRect> screens;
    for (const ScreenRect& screen : ScreenRects())
        screens.push_back({screen.left, screen.top, screen.right, screen.bottom});
    return ClipToScreens(rect, screens);
}

}  // namespace

void CLDAPDlg::LoadApplicationSettings(const std::string& path)
{
    const AppSettings settings = LoadAppSettings(path);
    m_recent.Restore(settings.recent, settings.deactivate);
    m_recentMenu->Update();

    FontSettings& fonts = *m_fontSettings;
    fonts.SetUseBuiltInFont(settings.useBuiltInFont);
    fonts.Rebuild();
    fonts.SetUseFontSettings(settings.useFontSettings);
    fonts.SetUseFontHeight(settings.useFontHeight);
    if (fonts.UseFontSettings()) {
        const FontDescription stored = WithStoredValues(fonts.Definition(), settings.font, fonts.UseFontHeight());
        fonts.SetFaceName(stored.faceName);
        fonts.SetCharSet(stored.charSet);
        fonts.SetHeight(stored.height);
        fonts.SetPitchAndFamily(stored.pitchAndFamily);
    }
    fonts.ApplyTo(this, true);

    m_startPlacement = ParseWinPos(settings.winPos);
    if (m_startPlacement.kind == WindowPlacement::Kind::Rectangle) {
        const std::optional<WindowRect> shown = OnConnectedScreens(m_startPlacement.rect);
        m_startPlacement.kind = shown ? m_startPlacement.kind : WindowPlacement::Kind::Unchanged;
        m_startPlacement.rect = shown.value_or(m_startPlacement.rect);
    }
    ApplyStartPlacement();

    m_languageChosen = false;
    if (!settings.languageName.empty()) {
        m_languageChosen = true;
        SelectStartupLanguage(settings.languageName);
    }
}

void CLDAPDlg::ApplyStartPlacement()
{
    switch (m_startPlacement.kind) {
        case WindowPlacement::Kind::Unchanged:
            break;
        case WindowPlacement::Kind::Maximised:
            Maximize();
            break;
        case WindowPlacement::Kind::Rectangle: {
            const WindowRect& rect = m_startPlacement.rect;
            SetSize(rect.left, rect.top, rect.Width(), rect.Height());
            m_normalRect = rect;
            break;
        }
    }
    ArrangeControls();
}

void CLDAPDlg::ShowAtStart()
{
    // The stored rectangle was set before the window was shown, so that the window manager frames
    // the window at that size; the guard undoes the manager's own choice of place.
    if (m_startPlacement.kind == WindowPlacement::Kind::Rectangle)
        m_placementGuard->Arm(wxRect(wxPoint(m_startPlacement.rect.left, m_startPlacement.rect.top),
                                     wxSize(m_startPlacement.rect.Width(), m_startPlacement.rect.Height())));
    Show();
    if (m_startPlacement.kind == WindowPlacement::Kind::Unchanged) {
        const LayoutSize client = m_resizer->DefaultClientSize();
        SetClientSize(client.width, client.height);
    }
}

WindowRect CLDAPDlg::PlacementRect() const
{
    if (IsIconized() && m_normalRect.Width() > 0)
        return m_normalRect;
    return ToWindowRect(GetRect());
}

void CLDAPDlg::SaveApplicationSettings(const std::string& path)
{
    AppSettings settings;
    settings.recent = m_recent.Entries();
    settings.deactivate = m_recent.Deactivated();
    const FontSettings& fonts = *m_fontSettings;
    settings.useBuiltInFont = fonts.UseBuiltInFont();
    settings.useFontSettings = fonts.UseFontSettings();
    settings.useFontHeight = fonts.UseFontHeight();
    settings.font = {fonts.FaceName(), fonts.CharSet(), fonts.Height(), fonts.PitchAndFamily()};
    settings.winPos = FormatWinPos(PlacementRect(), IsMaximized());
    settings.languageName = !m_unlistedLanguageName.empty() ? m_unlistedLanguageName
                            : m_languageChosen              ? m_currentLanguageName
                                                            : std::string();
    // A failed save keeps the previous file whole; the user is told why this run's settings are lost.
    if (!SaveAppSettings(path, settings))
        ShowMessage(keys::kFileCreateError, wxICON_ERROR, WriteFailureDetails(path));
}

void CLDAPDlg::OnClose(wxCloseEvent& event)
{
    // every way out comes here (close box, File > Exit, Ctrl+Q, the session ending): save once
    if (!m_settingsSaved) {
        m_settingsSaved = true;
        SaveApplicationSettings(m_storageFolder + "LDAP.ini");
    }
    event.Skip();  // the frame's own handling destroys the window
}

void CLDAPDlg::OnFrameSize(wxSizeEvent& event)
{
    event.Skip();
    if (IsIconized())
        return;
    // The smallest size is the toolkit's minimum (SetMinSize), which the window manager enforces:
    // resizing from here, or changing the minimum, would fight the manager while it frames the
    // window and lose the size the window was given.
    // A size below the minimum is one the toolkit passes through while the window is framed:
    // neither the window's rectangle nor a measure for its minimum.
    const wxSize size = GetSize();
    if (size.x < GetMinWidth() || size.y < GetMinHeight())
        return;
    if (!IsMaximized())
        m_normalRect = ToWindowRect(GetRect());
}

void CLDAPDlg::UpdateMinimumSize()
{
    if (m_resizer == nullptr)
        return;
    // Set while the window is not shown (a changed minimum makes the toolkit resize a shown
    // window): the client area of a frame excludes its menu bar and status line.
    if (IsShown())
        return;
    const wxSize frame = GetSize() - GetClientSize();
    const LayoutSize minimum = m_resizer->MinimumWindowSize({frame.x, frame.y});
    if (GetMinSize() != wxSize(minimum.width, minimum.height))
        SetMinSize(wxSize(minimum.width, minimum.height));
}

void CLDAPDlg::AddRecent(const std::string& path, bool atTop)
{
    m_recent.Add(path, atTop);
    m_recentMenu->Update();
}

void CLDAPDlg::OpenRecent(const std::string& path)
{
    if (FileExists(path))
        LoadProfile(path);
}
