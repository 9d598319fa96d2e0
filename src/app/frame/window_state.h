// window_state.h - the main window's place and size: where it starts, its normal rectangle, the
// arrangement of its controls, and the placement LDAP.ini keeps.
#pragma once

#include <memory>
#include <string>

#include "storage/app_settings.h"

class MainWindowResizer;
class StartPlacementGuard;
class wxFrame;
class wxPanel;
class wxSizeEvent;

/**
 * Sizes frame to the template around panel and keeps track of its placement: the one LDAP.ini
 * stored (applied before the window is shown and held while the window manager frames it) and
 * the last rectangle the window had while neither minimised nor maximised.
 */
class WindowState {
public:
    /// Gives frame the template's client size and the smallest window as its minimum.
    WindowState(wxFrame& frame, wxPanel& panel);
    ~WindowState();

    /// Follows size changes of the frame and its panel and the frame's moves.
    void BindSizeAndMove();
    /// Moves the controls for the current size (nothing while minimised).
    void Arrange();
    /// The toolkit's minimum size, set before the window is shown and again once it is framed: the smallest window,
    /// taller where the controls' real heights need it (MainWindowResizer::MinimumWindowSize).
    void UpdateMinimumSize();
    /// Applies LDAP.ini's WinPos: maximised, or a rectangle a connected screen shows (cut to the
    /// screens), else the size the window has.
    void Restore(const std::string& winPos);
    /// Shows the window at the place and size it starts with: the restored one (kept through the
    /// window manager's framing), else the template's size, set again once shown because the menu
    /// bar's height is only known then on some desktops.
    void ShowAtStart();
    /// WinPos as LDAP.ini keeps it: the restored rectangle while minimised, and whether maximised.
    std::string Saved() const;

private:
    void OnFrameSize(wxSizeEvent& event);
    /// The frame's measures are known: the minimum again, and the rectangle held within it.
    void OnFramed();
    WindowRect PlacementRect() const;

    wxFrame& m_frame;
    wxPanel& m_panel;
    std::unique_ptr<MainWindowResizer> m_resizer;
    std::unique_ptr<StartPlacementGuard> m_placementGuard;
    WindowPlacement m_startPlacement;  ///< from LDAP.ini, applied again once shown
    WindowRect m_normalRect;           ///< the last rectangle while neither minimised nor maximised
};
