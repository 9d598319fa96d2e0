// apply_texts.cpp - ApplyTexts and the menu relabelling it uses.
#include "platform/apply_texts.h"
#include "platform/apply_mnemonics.h"

#include <wx/menu.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include "platform/command_ids.h"
#include "platform/menu_label.h"
#include "platform/text.h"

namespace {

/// The toolkit id of a template control: buttons 1 and 2 are the stock OK and Cancel.
int ControlId(int id)
{
    if (id == 1)
        return wxID_OK;
    if (id == 2)
        return wxID_CANCEL;
    return id;
}

void SetControlText(wxWindow* controls, int id, const std::string& text)
{
    if (controls == nullptr)
        return;
    if (wxWindow* control = controls->FindWindow(ControlId(id)))
        control->SetLabel(ToWxLabel(text));
}

}  // namespace

void ApplyTexts(std::span<const TextKey> table, TextCatalog& catalog, const TextPlaces& places)
{
    wxMenuBar* bar = places.menuBar;
    wxMenu* fileMenu = bar != nullptr && bar->GetMenuCount() > 0 ? bar->GetMenu(0) : nullptr;
    for (const TextKey& row : table) {
        const bool inFileMenu = row.target == TextTarget::FileMenuPosition || row.target == TextTarget::FileMenuCommand;
        if (inFileMenu && fileMenu == nullptr)
            continue;
        const std::string text = catalog.Text(row);
        switch (row.target) {
            case TextTarget::Control:
                SetControlText(places.controls, row.id, text);
                break;
            case TextTarget::Caption:
                if (places.window != nullptr)
                    places.window->SetTitle(ToWx(text));
                break;
            case TextTarget::MenuBarPosition:
                SetMenuBarText(bar, row.id, text);
                break;
            case TextTarget::MenuCommand:
                if (bar != nullptr)
                    SetMenuItemText(bar->FindItem(ToWxId(row.id)), text);
                break;
            case TextTarget::FileMenuPosition:
                if (row.id >= 0 && static_cast<size_t>(row.id) < fileMenu->GetMenuItemCount())
                    SetMenuItemText(fileMenu->FindItemByPosition(static_cast<size_t>(row.id)), text);
                break;
            case TextTarget::FileMenuCommand:
                SetMenuItemText(fileMenu->FindItem(ToWxId(row.id)), text);
                break;
            case TextTarget::Stored:
                if (places.store)
                    places.store(row, text);
                break;
        }
    }
    ApplyMnemonics(bar);  // the letters follow the texts just set
}

void SetMenuItemText(wxMenuItem* item, const std::string& text)
{
    if (item != nullptr)
        item->SetItemLabel(ToWx(ToolkitMenuLabel(text)));
}

void SetMenuBarText(wxMenuBar* bar, int position, const std::string& text)
{
    if (bar != nullptr && position >= 0 && static_cast<size_t>(position) < bar->GetMenuCount())
        bar->SetMenuLabel(static_cast<size_t>(position), ToWx(ToolkitMenuLabel(text)));
}
