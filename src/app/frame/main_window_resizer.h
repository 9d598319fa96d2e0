// main_window_resizer.h - puts the main window's controls where the layout says for the panel's
// size: measures what the toolkit needs, asks the layout, moves the controls.
#pragma once

#include <vector>

#include "app/frame/main_window_layout.h"
#include "app/frame/main_window_template.h"

class wxPanel;
class wxWindow;

/** Lays out the template's controls on their panel; holds the template rectangles in pixels. */
class MainWindowResizer {
public:
    /// Converts the template's rectangles with the panel's dialog units.
    explicit MainWindowResizer(wxPanel* panel);

    /// Moves every control for the panel's client size and shares the list's width among its
    /// columns. Creates nothing.
    void Arrange();
    /// The client size the window starts with (the template's, rows spread where needed).
    LayoutSize DefaultClientSize() const;
    /// The smallest outer size: the heading, three rows of the list and, by frame (what the
    /// window adds around its client area), the status line fit below the other controls.
    LayoutSize MinimumWindowSize(LayoutSize frame) const;
    /// What the layout is given for a client size (the toolkit's measurements included).
    LayoutInput Input(int clientWidth, int clientHeight) const;

private:
    wxPanel* m_panel;
    std::vector<wxWindow*> m_controls;         ///< in template order
    std::vector<TemplateControl> m_templates;  ///< the same controls' template rows
    LayoutInput m_template;                    ///< template rectangles and gaps; sizes filled per pass
};
