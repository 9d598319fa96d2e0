// main_window_layout.h - where the main window's controls go for a client size: the template's
// rectangles and the sizes the toolkit needs in, control rectangles out. No window.
#pragma once

#include <vector>

/** A size in pixels. */
struct LayoutSize {
    int width = 0;
    int height = 0;
    bool operator==(const LayoutSize&) const = default;
};

/** A rectangle in client pixels. */
struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool operator==(const LayoutRect&) const = default;
};

/** One control of the template: its rectangle in pixels and what its content needs. */
struct ControlGeometry {
    int id = 0;
    LayoutRect templateRect;  ///< the template's rectangle converted to pixels
    LayoutSize needed;        ///< the toolkit's size for the control's usual content (0: none)
};

struct LayoutInput {
    int clientWidth = 0;
    int clientHeight = 0;
    std::vector<ControlGeometry> controls;  ///< every control of the template
    LayoutSize templateClient;              ///< the template's client area in pixels
    int horizontalGap = 3;                  ///< two dialog units across, in pixels
    int verticalGap = 3;                    ///< two dialog units down, in pixels
};

struct PlacedControl {
    int id = 0;
    LayoutRect rect;
};

/// The smallest outer size of the main window; not scaled with the resolution.
inline constexpr LayoutSize kMinimumWindowSize{550, 390};

/// The control rectangles for the client size, in the order of input.controls. A client width
/// or height of 0 or less counts as 550 or 390.
/// Across: the server, distinguished-name and preselection fields end at half the width; the
/// right-hand labels start 5 pixels after it, the port field and the combo boxes after the
/// widest of them, the combo boxes ending 5 pixels short of twice the half; the buttons end 5
/// pixels before the right edge; the search string field and the list keep their left margin on
/// the right as well (never reaching the buttons); the banner spans the width.
/// Down: the template's rows keep their tops where the controls fit and move down where taller
/// controls need room, with two dialog units between rows; the list takes the rest of the height
/// but one pixel.
/// No control is smaller than its content needs; the fields start after their labels.
std::vector<PlacedControl> PlaceControls(const LayoutInput& input);

/// The client size the window is created with: the template's width, and its list height below
/// the list's place.
LayoutSize DefaultClientSize(const LayoutInput& input);

/// Width of each of columns columns of a list width wide: (width - margin) / columns.
int ColumnWidth(int listWidth, int columns, int margin);

/// The smallest outer size of the window: kMinimumWindowSize, taller where the list, placed for
/// that size, would not show listContentHeight pixels (its heading and a few rows). frame is
/// what the window adds around the client area (borders, title, menu bar, status line).
LayoutSize MinimumWindowSize(const LayoutInput& input, int listContentHeight, LayoutSize frame);
