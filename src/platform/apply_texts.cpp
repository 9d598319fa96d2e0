// apply_texts.cpp - ApplyTexts and the menu relabelling it uses.
#include "platform/apply_texts.h"
#include "platform/accessible_names.h"
#include "platform/apply_mnemonics.h"

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include "platform/command_ids.h"
#include "platform/menu_label.h"
#include "platform/text.h"

namespace {

/// The toolkit id of a template control: the template's OK and Cancel are the stock buttons.
int ControlId(int id)
{
    if (id == btn::kOk) {
        return wxID_OK;
    }
    if (id == btn::kCancel) {
        return wxID_CANCEL;
    }
    return id;
}

void SetControlText(wxWindow* controls, int id, const std::string& text)
{
    if (controls == nullptr) {
        return;
    }
    wxWindow* control = controls->FindWindow(ControlId(id));
    wxASSERT_MSG(control != nullptr, wxString::Format("a key table names control %d, which the window lacks", id));
    if (control != nullptr) {
        control->SetLabel(ToWxLabel(text));
    }
}

/// The menu item of command in menu; a key table naming a missing command is a fault.
wxMenuItem* CommandItem(wxMenu* menu, int command)
{
    wxMenuItem* item = menu->FindItem(ToWxId(command));
    wxASSERT_MSG(item != nullptr, wxString::Format("a key table names command %d, which the menu lacks", command));
    return item;
}

}  // namespace

TextPlaces PlacesOf(wxTopLevelWindow* window, wxWindow* controls)
{
    TextPlaces places;
    places.window = window;
    places.controls = controls != nullptr ? controls : window;
    if (auto* frame = dynamic_cast<wxFrame*>(window)) {
        places.menuBar = frame->GetMenuBar();
    }
    return places;
}

void ApplyTexts(std::span<const TextKey> table, const TextCatalog& catalog, const TextPlaces& places)
{
    wxMenuBar* bar = places.menuBar;
    wxMenu* fileMenu = bar != nullptr && bar->GetMenuCount() > 0 ? bar->GetMenu(0) : nullptr;
    for (const TextKey& row : table) {
        const bool inFileMenu = row.target == TextTarget::FileMenuPosition || row.target == TextTarget::FileMenuCommand;
        if (inFileMenu && fileMenu == nullptr) {
            continue;
        }
        const std::string text = catalog.Text(row);
        switch (row.target) {
            case TextTarget::Control:
                SetControlText(places.controls, row.id, text);
                break;
            case TextTarget::Caption:
                if (places.window != nullptr) {
                    places.window->SetTitle(ToWx(text));
                }
                break;
            case TextTarget::MenuBarPosition:
                SetMenuBarText(bar, row.id, text);
                break;
            case TextTarget::MenuCommand:
                if (bar != nullptr) {
                    // a window may take out the items of documents it does not have
                    SetMenuItemText(bar->FindItem(ToWxId(row.id)), text);
                }
                break;
            case TextTarget::FileMenuPosition:
                wxASSERT_MSG(row.id >= 0 && static_cast<size_t>(row.id) < fileMenu->GetMenuItemCount(),
                             "a key table names a File menu position beyond its end");
                if (row.id >= 0 && static_cast<size_t>(row.id) < fileMenu->GetMenuItemCount()) {
                    SetMenuItemText(fileMenu->FindItemByPosition(static_cast<size_t>(row.id)), text);
                }
                break;
            case TextTarget::FileMenuCommand:
                SetMenuItemText(CommandItem(fileMenu, row.id), text);
                break;
            case TextTarget::Stored:
                if (places.store) {
                    places.store(row, text);
                }
                break;
        }
    }
    ApplyMnemonics(bar);                  // the letters follow the texts just set
    NameFieldsByLabels(places.controls);  // and so do the names screen readers announce
}

void SetMenuItemText(wxMenuItem* item, const std::string& text)
{
    if (item != nullptr) {
        item->SetItemLabel(ToWx(ToolkitMenuLabel(text)));
    }
}

void SetMenuBarText(wxMenuBar* bar, int position, const std::string& text)
{
    if (bar == nullptr) {
        return;
    }
    wxASSERT_MSG(position >= 0 && static_cast<size_t>(position) < bar->GetMenuCount(),
                 "a key table names a menu bar position beyond its end");
    if (position >= 0 && static_cast<size_t>(position) < bar->GetMenuCount()) {
        bar->SetMenuLabel(static_cast<size_t>(position), ToWx(ToolkitMenuLabel(text)));
    }
}
