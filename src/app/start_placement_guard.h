// start_placement_guard.h - keeps the main window where LDAP.ini placed it while the window
// manager frames it.
#pragma once

#include <wx/gdicmn.h>
#include <wx/timer.h>

class wxFrame;
class wxMoveEvent;

/**
 * A window manager places a new window by its own rule when it maps it, after the program has
 * set its position; the toolkit then reports the window where the manager put it. Armed when the
 * window is shown at a stored rectangle, the guard puts the window back at that rectangle
 * once, at the first move the manager makes, and stands down at that move or a moment
 * after the window is shown, whichever comes first, so that the user's own moves are kept.
 */
class StartPlacementGuard {
public:
    explicit StartPlacementGuard(wxFrame* frame);
    /// Holds the window at rect (outer, in screen pixels) until the manager's first move or a
    /// moment has passed.
    void Arm(const wxRect& rect);

private:
    void OnMove(wxMoveEvent& event);

    wxFrame* m_frame;
    wxTimer m_standDown;
    bool m_armed = false;
    wxRect m_rect;
};
