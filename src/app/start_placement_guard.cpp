// start_placement_guard.cpp - StartPlacementGuard: the stored rectangle once more after the
// window manager's own placement.
#include "app/start_placement_guard.h"

#include <wx/frame.h>

namespace {

/// Long enough for any window manager to have placed a new window, short enough that the user
/// has not moved it yet.
constexpr int kFramingMilliseconds = 1500;

}  // namespace

StartPlacementGuard::StartPlacementGuard(wxFrame* frame) : m_frame(frame), m_standDown(frame)
{
    m_frame->Bind(wxEVT_MOVE, &StartPlacementGuard::OnMove, this);
    m_standDown.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { m_armed = false; });
}

void StartPlacementGuard::Arm(const wxRect& rect)
{
    m_rect = rect;
    m_armed = true;
    m_standDown.StartOnce(kFramingMilliseconds);
}

void StartPlacementGuard::OnMove(wxMoveEvent& event)
{
    event.Skip();
    if (!m_armed || m_frame->IsMaximized() || m_frame->IsIconized())
        return;
    m_armed = false;
    m_standDown.Stop();
    // the whole rectangle: the size the toolkit holds may still be one passed through on framing
    if (m_frame->GetRect() != m_rect)
        m_frame->SetSize(m_rect);
}
