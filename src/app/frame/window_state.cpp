// window_state.cpp - the main window's start placement, normal rectangle and stored placement.
#include "app/frame/window_state.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include <wx/frame.h>
#include <wx/panel.h>

#include "app/frame/main_window_layout.h"
#include "app/frame/main_window_resizer.h"
#include "app/frame/start_placement_guard.h"
#include "platform/screen.h"

namespace {

WindowRect ToWindowRect(const wxRect& rect)
{
    return {rect.GetLeft(), rect.GetTop(), rect.GetLeft() + rect.GetWidth(), rect.GetTop() + rect.GetHeight()};
}

/// rect with every edge multiplied by factor, to the nearest pixel.
WindowRect ScaledRect(const WindowRect& rect, double factor)
{
    const auto scaled = [factor](int value) {
        return static_cast<int>(std::lround(value * factor));
    };
    return {scaled(rect.left), scaled(rect.top), scaled(rect.right), scaled(rect.bottom)};
}

std::vector<WindowRect> ConnectedScreens()
{
    std::vector<WindowRect> screens;
    for (const ScreenRect& screen : ScreenRects()) {
        screens.push_back({screen.left, screen.top, screen.right, screen.bottom});
    }
    return screens;
}

/// A stored rectangle is used only where a screen shows it, so a window last closed on a screen
/// that is gone does not open out of sight, and only as large as those screens.
std::optional<WindowRect> OnConnectedScreens(const WindowRect& rect)
{
    return ClipToScreens(rect, ConnectedScreens());
}

}  // namespace

WindowState::WindowState(wxFrame& frame, wxPanel& panel)
    : m_frame(frame), m_panel(panel), m_resizer(std::make_unique<MainWindowResizer>(&panel))
{
    const LayoutSize client = m_resizer->DefaultClientSize();
    m_frame.SetClientSize(client.width, client.height);
    m_frame.SetMinSize(wxSize(kMinimumWindowSize.width, kMinimumWindowSize.height));
    m_placementGuard = std::make_unique<StartPlacementGuard>(&frame, [this] { OnFramed(); });
}

WindowState::~WindowState() = default;

void WindowState::BindSizeAndMove()
{
    m_frame.Bind(wxEVT_SIZE, &WindowState::OnFrameSize, this);
    m_frame.Bind(wxEVT_MOVE, [this](wxMoveEvent& event) {
        event.Skip();
        if (!m_frame.IsIconized() && !m_frame.IsMaximized()) {
            m_normalRect = ToWindowRect(m_frame.GetRect());
        }
    });
    m_panel.Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        Arrange();
    });
}

void WindowState::Arrange()
{
    if (!m_frame.IsIconized()) {
        m_resizer->Arrange();
    }
}

void WindowState::OnFrameSize(wxSizeEvent& event)
{
    event.Skip();
    if (m_frame.IsIconized()) {
        return;
    }
    // The smallest size is the toolkit's minimum (SetMinSize), which the window manager enforces:
    // resizing from here, or changing the minimum, would fight the manager while it frames the
    // window and lose the size the window was given.
    // A size below the minimum is one the toolkit passes through while the window is framed:
    // neither the window's rectangle nor a measure for its minimum.
    const wxSize size = m_frame.GetSize();
    if (size.x < m_frame.GetMinWidth() || size.y < m_frame.GetMinHeight()) {
        return;
    }
    if (!m_frame.IsMaximized()) {
        m_normalRect = ToWindowRect(m_frame.GetRect());
    }
}

void WindowState::UpdateMinimumSize()
{
    // Measured again once the window is framed: only then does the frame's size include the
    // window manager's frame and the menu bar's real height. The client area of a frame excludes
    // its menu bar and status line.
    const wxSize frame = m_frame.GetSize() - m_frame.GetClientSize();
    const LayoutSize minimum = m_resizer->MinimumWindowSize({frame.x, frame.y});
    if (m_frame.GetMinSize() != wxSize(minimum.width, minimum.height)) {
        m_frame.SetMinSize(wxSize(minimum.width, minimum.height));
    }
}

void WindowState::Restore(const std::string& winPos)
{
    m_startPlacement = ParseWinPos(winPos);
    if (m_startPlacement.kind == WindowPlacement::Kind::Rectangle) {
        // LDAP.ini keeps screen pixels; the toolkit places windows in its own units, which on a
        // scaled screen are larger than a pixel
        const WindowRect rect = ScaledRect(m_startPlacement.rect, 1.0 / m_frame.GetContentScaleFactor());
        const std::optional<WindowRect> shown = OnConnectedScreens(rect);
        m_startPlacement.kind = shown ? m_startPlacement.kind : WindowPlacement::Kind::Unchanged;
        m_startPlacement.rect = shown.value_or(rect);
    }
    switch (m_startPlacement.kind) {
        case WindowPlacement::Kind::Unchanged:
            break;
        case WindowPlacement::Kind::Maximised:
            m_frame.Maximize();
            break;
        case WindowPlacement::Kind::Rectangle: {
            // Given as a client size: a frame sized whole before it is shown waits for the window
            // manager's frame measures, and the toolkit then lays it out once at no size at all,
            // which leaves the result list undrawn. The rectangle's outer size is held once the
            // manager has framed the window (ShowAtStart).
            const WindowRect& rect = m_startPlacement.rect;
            const wxSize chrome = m_frame.GetSize() - m_frame.GetClientSize();
            m_frame.Move(rect.left, rect.top);
            m_frame.SetClientSize(rect.Width() - chrome.x, rect.Height() - chrome.y);
            m_normalRect = rect;
            break;
        }
    }
    Arrange();
}

void WindowState::ShowAtStart()
{
    // The stored rectangle was set before the window was shown, so that the window manager frames
    // the window at about that size; the guard undoes the manager's own choice of place and the
    // frame it adds around that size.
    std::optional<wxRect> held;
    if (m_startPlacement.kind == WindowPlacement::Kind::Rectangle) {
        held = wxRect(wxPoint(m_startPlacement.rect.left, m_startPlacement.rect.top),
                      wxSize(m_startPlacement.rect.Width(), m_startPlacement.rect.Height()));
    }
    m_placementGuard->Arm(held);
    m_frame.Show();
    if (m_startPlacement.kind == WindowPlacement::Kind::Unchanged) {
        const LayoutSize client = m_resizer->DefaultClientSize();
        m_frame.SetClientSize(client.width, client.height);
    }
}

void WindowState::OnFramed()
{
    UpdateMinimumSize();
    if (m_startPlacement.kind != WindowPlacement::Kind::Rectangle) {
        return;
    }
    // a stored rectangle smaller than the window's minimum grows to it, and then lies whole on
    // its screen, as the window manager keeps a window it placed itself
    WindowRect rect = m_startPlacement.rect;
    rect.right = rect.left + std::max(rect.Width(), m_frame.GetMinWidth());
    rect.bottom = rect.top + std::max(rect.Height(), m_frame.GetMinHeight());
    rect = MoveOntoScreens(rect, ConnectedScreens());
    m_placementGuard->Hold(wxRect(wxPoint(rect.left, rect.top), wxSize(rect.Width(), rect.Height())));
}

WindowRect WindowState::PlacementRect() const
{
    if (m_frame.IsIconized() && m_normalRect.Width() > 0) {
        return m_normalRect;
    }
    return ToWindowRect(m_frame.GetRect());
}

std::string WindowState::Saved() const
{
    return FormatWinPos(ScaledRect(PlacementRect(), m_frame.GetContentScaleFactor()), m_frame.IsMaximized());
}
