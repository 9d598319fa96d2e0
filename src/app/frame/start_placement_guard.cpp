// start_placement_guard.cpp - StartPlacementGuard: the stored rectangle again once the window
// manager's placement and framing have settled.
#include "app/frame/start_placement_guard.h"

#include <utility>

#include <wx/frame.h>

namespace {

/// No move or size from the manager for this long: it has placed and framed the window.
constexpr int kSettledMilliseconds = 150;
/// Long enough for any window manager to have placed and framed a new window, short enough that
/// the user has not moved it yet.
constexpr int kFramingMilliseconds = 2000;
/// A manager that keeps its own rule (a rectangle larger than its work area) ends the guard.
constexpr int kMostCorrections = 2;

}  // namespace

StartPlacementGuard::StartPlacementGuard(wxFrame* frame, std::function<void()> framed)
    : m_frame(frame), m_framed(std::move(framed))
{
    m_frame->Bind(wxEVT_MOVE, [this](wxMoveEvent& event) {
        event.Skip();
        OnFraming();
    });
    m_frame->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        OnFraming();
    });
    m_settle.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnSettled(); });
    m_standDown.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        m_armed = false;
        m_settle.Stop();
    });
}

void StartPlacementGuard::Arm(const std::optional<wxRect>& rect)
{
    m_rect = rect;
    m_armed = true;
    m_corrections = kMostCorrections;
    m_standDown.StartOnce(kFramingMilliseconds);
    m_settle.StartOnce(kSettledMilliseconds);
}

void StartPlacementGuard::OnFraming()
{
    if (m_armed) {
        m_settle.StartOnce(kSettledMilliseconds);
    }
}

void StartPlacementGuard::OnSettled()
{
    if (!m_armed || !m_frame->IsShown()) {
        return;
    }
    m_framed();
    if (!m_rect || m_frame->IsMaximized() || m_frame->IsIconized()) {
        return;
    }
    // the whole rectangle: the manager may have moved the window and added its frame to the size
    if (m_frame->GetRect() == *m_rect || m_corrections == 0) {
        return;
    }
    --m_corrections;
    m_frame->SetSize(*m_rect);
}
