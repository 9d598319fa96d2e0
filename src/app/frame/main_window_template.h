// main_window_template.h - the main window's template: controls' ids, kinds, texts and rectangles.
#pragma once

#include <span>
#include <vector>

#include "localisation/window_ids.h"

enum class ControlKind { Label, Edit, ComboBox, SortedComboBox, DefaultButton, Button, CheckBox, ListView, Picture };

/** One control of the template: its rectangle is in dialog units. */
struct TemplateControl {
    int id;
    ControlKind kind;
    const char* text;
    int x;
    int y;
    int width;
    int height;
};

/// The client area of the main window in dialog units.
inline constexpr int kTemplateWidth = 353;
inline constexpr int kTemplateHeight = 205;

/// The controls in template order, which is also the tab order.
std::span<const TemplateControl> MainWindowTemplate();
/// The controls in the order the window creates them: template order, each field's label moved
/// to right before its field, so that a screen reader names the field by it; the fields, and with
/// them the tab order, keep their template order.
std::vector<TemplateControl> MainWindowCreationOrder();
