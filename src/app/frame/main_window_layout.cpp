// main_window_layout.cpp - the main window's control rectangles for a client size.
#include "app/frame/main_window_layout.h"

#include <algorithm>
#include <initializer_list>

#include "app/frame/main_window_template.h"

namespace {

/** The controls being placed: each starts at its template rectangle. */
class Placement {
public:
    explicit Placement(const LayoutInput& input) : m_input(input)
    {
        m_placed.reserve(input.controls.size());
        for (const ControlGeometry& control : input.controls) {
            m_placed.push_back({control.id, control.templateRect});
        }
    }

    const ControlGeometry* Geometry(int id) const
    {
        for (const ControlGeometry& control : m_input.controls) {
            if (control.id == id) {
                return &control;
            }
        }
        return nullptr;
    }
    LayoutRect* Rect(int id)
    {
        for (PlacedControl& control : m_placed) {
            if (control.id == id) {
                return &control.rect;
            }
        }
        return nullptr;
    }
    LayoutRect RectOr(int id, LayoutRect fallback)
    {
        const LayoutRect* rect = Rect(id);
        return rect != nullptr ? *rect : fallback;
    }

    /// Template width, or what the content needs when that is more.
    int Width(int id) const
    {
        const ControlGeometry* control = Geometry(id);
        return control != nullptr ? std::max(control->templateRect.width, control->needed.width) : 0;
    }
    /// The height the control takes in its row: labels and check boxes their text's (so the
    /// text sits centred on the row), combo boxes their closed box's (the template gives the
    /// open list's), other controls the template's or more.
    int Height(int id) const
    {
        const ControlGeometry* control = Geometry(id);
        if (control == nullptr) {
            return 0;
        }
        const bool textOnly = IsLabel(id) || id == ctl::kSwap;
        const bool combo = id == ctl::kSearchAttribute || id == ctl::kResultAttribute;
        if ((textOnly || combo) && control->needed.height > 0) {
            return control->needed.height;
        }
        if (combo) {
            return Height(ctl::kServer);  // unmeasured: as tall as a field
        }
        return std::max(control->templateRect.height, control->needed.height);
    }
    int TemplateTop(int id) const
    {
        const ControlGeometry* control = Geometry(id);
        return control != nullptr ? control->templateRect.y : 0;
    }
    int TemplateLeft(int id) const
    {
        const ControlGeometry* control = Geometry(id);
        return control != nullptr ? control->templateRect.x : 0;
    }

    /// Places a row of controls at or below top (never above its template top): each control
    /// centred on the row's height. Returns the row's bottom.
    int PlaceRow(std::initializer_list<int> ids, int top)
    {
        int templateTop = -1;
        int height = 0;
        for (const int id : ids) {
            if (Geometry(id) == nullptr) {
                continue;
            }
            templateTop = templateTop < 0 ? TemplateTop(id) : std::min(templateTop, TemplateTop(id));
            height = std::max(height, Height(id));
        }
        const int rowTop = std::max(templateTop, top);
        for (const int id : ids) {
            if (LayoutRect* rect = Rect(id)) {
                rect->height = Height(id);
                rect->y = rowTop + (height - rect->height) / 2;
            }
        }
        return rowTop + height;
    }

    std::vector<PlacedControl> Result() && { return std::move(m_placed); }

private:
    static bool IsLabel(int id)
    {
        switch (id) {
            case ctl::kServerLabel:
            case ctl::kPortLabel:
            case ctl::kPreselectionLabel:
            case ctl::kSearchAttributeLabel:
            case ctl::kResultAttributeLabel:
            case ctl::kSearchStringLabel:
            case ctl::kResultLabel:
            case ctl::kBaseDnLabel:
                return true;
            default:
                return false;
        }
    }

    const LayoutInput& m_input;
    std::vector<PlacedControl> m_placed;
};

/// Sets x and width of a placed control when it exists.
void SetAcross(Placement& placement, int id, int x, int width)
{
    if (LayoutRect* rect = placement.Rect(id)) {
        rect->x = x;
        rect->width = std::max(width, 0);
    }
}

/// The rows top to bottom; returns the top of the list's row.
int PlaceRows(Placement& placement, int gap)
{
    // the banner keeps its natural height above the first row
    const ControlGeometry* banner = placement.Geometry(ctl::kBanner);
    int bottom = (banner != nullptr ? banner->needed.height + 5 : 0) - gap;
    bottom = placement.PlaceRow({ctl::kServerLabel, ctl::kServer, ctl::kPortLabel, ctl::kPort}, bottom + gap);
    bottom = placement.PlaceRow({ctl::kBaseDnLabel, ctl::kBaseDn, ctl::kResultAttributeLabel, ctl::kResultAttribute},
                                bottom + gap);
    bottom = placement.PlaceRow(
        {ctl::kPreselectionLabel, ctl::kPreselection, ctl::kSearchAttributeLabel, ctl::kSearchAttribute}, bottom + gap);
    bottom = placement.PlaceRow({ctl::kSwap}, bottom + gap);
    placement.PlaceRow({ctl::kSearchStringLabel, ctl::kSearchString, ctl::kSearch}, bottom + gap);

    // the list's row below the search string and its label: the label and the list share its
    // top; Details sits below Search, beside the list
    bottom = std::max(placement.RectOr(ctl::kSearchString, LayoutRect{}).Bottom(),
                      placement.RectOr(ctl::kSearchStringLabel, LayoutRect{}).Bottom());
    const int listTop =
        std::max({placement.TemplateTop(ctl::kResultList), placement.TemplateTop(ctl::kResultLabel), bottom + gap});
    if (LayoutRect* label = placement.Rect(ctl::kResultLabel)) {
        label->y = listTop;
        label->height = placement.Height(ctl::kResultLabel);
    }
    if (LayoutRect* details = placement.Rect(ctl::kDetails)) {
        const LayoutRect search = placement.RectOr(ctl::kSearch, LayoutRect{});
        details->y = std::max(placement.TemplateTop(ctl::kDetails), search.Bottom() + gap);
        details->height = placement.Height(ctl::kDetails);
    }
    return listTop;
}

}  // namespace

std::vector<PlacedControl> PlaceControls(const LayoutInput& input)
{
    const int cx = input.clientWidth > 0 ? input.clientWidth : kMinimumWindowSize.width;
    const int cy = input.clientHeight > 0 ? input.clientHeight : kMinimumWindowSize.height;
    const int gap = input.horizontalGap;
    Placement placement(input);

    const int listTop = PlaceRows(placement, input.verticalGap);
    const int half = cx / 2;

    // left column: labels at their place, the three fields from after the labels to half
    int labelsRight = 0;
    for (const int id : {ctl::kServerLabel, ctl::kBaseDnLabel, ctl::kPreselectionLabel}) {
        SetAcross(placement, id, placement.TemplateLeft(id), placement.Width(id));
        labelsRight = std::max(labelsRight, placement.RectOr(id, LayoutRect{}).Right());
    }
    for (const int id : {ctl::kServer, ctl::kBaseDn, ctl::kPreselection}) {
        const int left = std::max(placement.TemplateLeft(id), labelsRight + gap);
        SetAcross(placement, id, left, half - left);
    }

    // right column: labels 5 pixels after half, the fields after the widest label
    int labelWidth = 0;
    for (const int id : {ctl::kPortLabel, ctl::kSearchAttributeLabel, ctl::kResultAttributeLabel}) {
        SetAcross(placement, id, half + 5, placement.Width(id));
        labelWidth = std::max(labelWidth, placement.Width(id));
    }
    SetAcross(placement, ctl::kPort, half + labelWidth + 5, placement.Width(ctl::kPort));
    for (const int id : {ctl::kSearchAttribute, ctl::kResultAttribute}) {
        SetAcross(placement, id, half + labelWidth + 5, half - labelWidth - 10);
    }

    // the banner across the client width, ending 5 pixels above the server field
    if (LayoutRect* banner = placement.Rect(ctl::kBanner)) {
        banner->width = cx;
        banner->height = std::max(placement.RectOr(ctl::kServer, LayoutRect{}).y - 5, 0);
    }

    // buttons at the right edge, one width for the column (the widest text's), so that the search
    // string and the list end in one line whatever the language
    const int buttonWidth = std::max(placement.Width(ctl::kSearch), placement.Width(ctl::kDetails));
    for (const int id : {ctl::kSearch, ctl::kDetails}) {
        SetAcross(placement, id, cx - 5 - buttonWidth, buttonWidth);
    }

    // search string and list: one left margin after their labels, kept on the right too
    int left = std::max(placement.TemplateLeft(ctl::kSearchString), placement.TemplateLeft(ctl::kResultList));
    for (const int id : {ctl::kSearchStringLabel, ctl::kResultLabel}) {
        SetAcross(placement, id, placement.TemplateLeft(id), placement.Width(id));
        left = std::max(left, placement.RectOr(id, LayoutRect{}).Right() + gap);
    }
    const auto widthBefore = [&](int button) {
        const LayoutRect* rect = placement.Rect(button);
        const int limit = rect != nullptr ? rect->x - gap - left : cx;
        return std::min(cx - 2 * left, limit);
    };
    SetAcross(placement, ctl::kSearchString, left, widthBefore(ctl::kSearch));
    SetAcross(placement, ctl::kResultList, left, widthBefore(ctl::kDetails));
    if (LayoutRect* list = placement.Rect(ctl::kResultList)) {
        list->y = listTop;
        list->height = std::max(cy - listTop - 1, 0);
    }

    SetAcross(placement, ctl::kSwap, placement.TemplateLeft(ctl::kSwap), placement.Width(ctl::kSwap));
    return std::move(placement).Result();
}

LayoutSize DefaultClientSize(const LayoutInput& input)
{
    LayoutInput probe = input;
    probe.clientWidth = input.templateClient.width;
    probe.clientHeight = input.templateClient.height;
    int height = input.templateClient.height;
    for (const PlacedControl& placed : PlaceControls(probe)) {
        if (placed.id != ctl::kResultList) {
            continue;
        }
        for (const ControlGeometry& control : input.controls) {
            if (control.id == ctl::kResultList) {
                height = std::max(height, placed.rect.y + control.templateRect.height + 1);
            }
        }
    }
    return {input.templateClient.width, height};
}

int ColumnWidth(int listWidth, int columns, int margin)
{
    return columns > 0 ? (listWidth - margin) / columns : 0;
}

LayoutSize MinimumWindowSize(const LayoutInput& input, int listContentHeight, LayoutSize frame)
{
    LayoutInput probe = input;
    probe.clientWidth = std::max(kMinimumWindowSize.width - frame.width, 1);
    probe.clientHeight = std::max(kMinimumWindowSize.height - frame.height, 1);
    int height = kMinimumWindowSize.height;
    for (const PlacedControl& placed : PlaceControls(probe)) {
        if (placed.id == ctl::kResultList) {
            height = std::max(height, placed.rect.y + listContentHeight + 1 + frame.height);
        }
    }
    return {kMinimumWindowSize.width, height};
}
