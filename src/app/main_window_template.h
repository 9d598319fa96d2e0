// main_window_template.h - the main window's template: control ids, kinds, texts and rectangles.
#pragma once

#include <span>

/// Control ids of the main window.
namespace ctl {
inline constexpr int kServerLabel = 1000;
inline constexpr int kServer = 1001;
inline constexpr int kPortLabel = 1002;
inline constexpr int kPort = 1003;
inline constexpr int kPreselectionLabel = 1004;
inline constexpr int kPreselection = 1005;
inline constexpr int kSearchAttributeLabel = 1006;
inline constexpr int kResultAttributeLabel = 1007;
inline constexpr int kSearchStringLabel = 1008;
inline constexpr int kSearchString = 1009;
inline constexpr int kSearch = 1010;
inline constexpr int kResultLabel = 1011;
inline constexpr int kDetails = 1014;
inline constexpr int kBaseDnLabel = 1015;
inline constexpr int kBaseDn = 1016;
inline constexpr int kSwap = 1018;
inline constexpr int kBanner = 1019;
inline constexpr int kSearchAttribute = 1020;
inline constexpr int kResultList = 1021;
inline constexpr int kResultAttribute = 1028;
}  // namespace ctl

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
