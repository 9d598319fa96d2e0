// main_window_resizer.cpp - MainWindowResizer: the toolkit's side of the main window's layout.
#include "app/frame/main_window_resizer.h"

#include <wx/panel.h>
#include <wx/generic/statbmpg.h>
#include <wx/textctrl.h>

#include "app/fonts/dpi_scaler.h"
#include "app/frame/main_window_template.h"
#include "search_window/result_list.h"

namespace {

/// What a control's usual content needs: a label or button its text, the port five digits, a
/// field or combo box its height (their width comes from the layout), the banner its picture.
LayoutSize NeededSize(const TemplateControl& control, wxWindow* window)
{
    wxSize size;
    switch (control.kind) {
        case ControlKind::Label:
        case ControlKind::CheckBox:
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            size = window->GetBestSize();
            break;
        case ControlKind::Edit:
            if (control.id == ctl::kPort) {
                auto* port = static_cast<wxTextCtrl*>(window);
                size = wxSize(port->GetSizeFromTextSize(port->GetTextExtent("99999").x).x, window->GetBestSize().y);
            } else {
                size = wxSize(0, window->GetBestSize().y);
            }
            break;
        case ControlKind::ComboBox:
        case ControlKind::SortedComboBox:
            size = wxSize(0, window->GetBestSize().y);
            break;
        case ControlKind::Picture:
            // the bitmap comes in the screen's pixels, scaled for it; the window is placed in the
            // toolkit's units, which on a scaled screen are larger than a pixel
            size = window->FromPhys(static_cast<wxGenericStaticBitmap*>(window)->GetBitmap().GetSize());
            break;
        case ControlKind::ListView:
            break;
    }
    return {size.x, size.y};
}

}  // namespace

MainWindowResizer::MainWindowResizer(wxPanel* panel) : m_panel(panel)
{
    const wxSize client = panel->ConvertDialogToPixels(wxSize(kTemplateWidth, kTemplateHeight));
    const wxSize gap = panel->ConvertDialogToPixels(wxSize(2, 2));
    m_template.templateClient = {client.x, client.y};
    m_template.horizontalGap = gap.x;
    m_template.verticalGap = gap.y;
    for (const TemplateControl& control : MainWindowTemplate()) {
        wxWindow* window = panel->FindWindow(control.id);
        if (window == nullptr) {
            continue;
        }
        const wxPoint position = panel->ConvertDialogToPixels(wxPoint(control.x, control.y));
        const wxSize size = panel->ConvertDialogToPixels(wxSize(control.width, control.height));
        m_template.controls.push_back({control.id, {position.x, position.y, size.x, size.y}, {}});
        m_controls.push_back(window);
        m_templates.push_back(control);
    }
}

LayoutInput MainWindowResizer::Input(int clientWidth, int clientHeight) const
{
    LayoutInput input = m_template;
    input.clientWidth = clientWidth;
    input.clientHeight = clientHeight;
    for (std::size_t i = 0; i < input.controls.size(); ++i) {
        input.controls[i].needed = NeededSize(m_templates[i], m_controls[i]);
    }
    return input;
}

LayoutSize MainWindowResizer::DefaultClientSize() const
{
    return ::DefaultClientSize(Input(m_template.templateClient.width, m_template.templateClient.height));
}

LayoutSize MainWindowResizer::MinimumWindowSize(LayoutSize frame) const
{
    const auto* list = dynamic_cast<const CResultList*>(m_panel->FindWindow(ctl::kResultList));
    const int content = list != nullptr ? list->ContentHeight(3) : 0;
    return ::MinimumWindowSize(Input(0, 0), content, frame);
}

void MainWindowResizer::Arrange()
{
    const wxSize client = m_panel->GetClientSize();
    const std::vector<PlacedControl> placed = PlaceControls(Input(client.x, client.y));
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const LayoutRect& rect = placed[i].rect;
        const wxRect target(rect.x, rect.y, rect.width, rect.height);
        if (m_controls[i]->GetRect() != target) {
            m_controls[i]->SetSize(target, wxSIZE_ALLOW_MINUS_ONE);
        }
    }
    auto* list = dynamic_cast<CResultList*>(m_panel->FindWindow(ctl::kResultList));
    for (const PlacedControl& control : placed) {
        if (control.id != ctl::kResultList || list == nullptr) {
            continue;
        }
        // from the list's new rectangle: the toolkit may still report its old size while the
        // window manager's resize is being allocated
        const int width =
            ColumnWidth(control.rect.width, static_cast<int>(list->GetColumnCount()), DpiScaler().Scale(20));
        // the toolkit widens the last column to the list's edge and keeps that width when the
        // list narrows again, which would push it out of view: set the widths again then too
        if (list->ColumnWidth() != width || !list->ColumnsFitWidth(control.rect.width)) {
            list->SetColumnWidths(width);
        }
        list->Refresh();
    }
    m_panel->Refresh();
}
