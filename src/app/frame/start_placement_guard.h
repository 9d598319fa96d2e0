// start_placement_guard.h - brings the main window to the rectangle LDAP.ini stored once the
// window manager has framed it.
#pragma once

#include <functional>
#include <optional>

#include <wx/gdicmn.h>
#include <wx/timer.h>

class wxFrame;

/**
 * A window manager places a new window by its own rule when it maps it, and adds its frame
 * around the size the program asked for; the toolkit then reports the window where and as large
 * as the manager made it. A size or place set while the manager is still framing is overtaken by
 * the manager's own answers. Armed when the window is shown at a stored rectangle, the guard
 * waits until the manager's moves and sizes have settled, then puts the window at that rectangle,
 * and stands down a moment after the window is shown, so that the user's own moves are kept.
 * Each time the framing settles it tells its owner first, which can measure the frame only then
 * and may move the rectangle held.
 */
class StartPlacementGuard {
public:
    /// framed runs whenever the manager's framing of the shown window has settled.
    StartPlacementGuard(wxFrame* frame, std::function<void()> framed);
    /// Watches the framing of the window about to be shown; with a rect (outer, in the toolkit's
    /// units), holds the window there until a moment has passed.
    void Arm(const std::optional<wxRect>& rect);
    /// The rectangle held from now on, while armed.
    void Hold(const wxRect& rect) { m_rect = rect; }

private:
    void OnFraming();
    void OnSettled();

    wxFrame* m_frame;
    std::function<void()> m_framed;
    wxTimer m_settle;     ///< its own owner; runs while the manager is still moving or sizing the window
    wxTimer m_standDown;  ///< ends the guard's hold
    bool m_armed = false;
    int m_corrections = 0;
    std::optional<wxRect> m_rect;
};
