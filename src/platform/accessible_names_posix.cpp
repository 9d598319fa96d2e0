// accessible_names_posix.cpp - NameFieldsByLabels through GTK's accessibility objects (ATK), which
// the desktop's screen readers read over AT-SPI.
#include "platform/accessible_names.h"

#include <gtk/gtk.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dataview.h>
#include <wx/listbox.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include "platform/text.h"

namespace {

bool IsField(const wxWindow* window)
{
    return dynamic_cast<const wxTextCtrl*>(window) != nullptr || dynamic_cast<const wxComboBox*>(window) != nullptr ||
           dynamic_cast<const wxSpinCtrl*>(window) != nullptr || dynamic_cast<const wxListBox*>(window) != nullptr ||
           dynamic_cast<const wxDataViewCtrl*>(window) != nullptr || dynamic_cast<const wxChoice*>(window) != nullptr;
}

/// The widgets a reader lands on for a field: the field's own widget and, where it wraps the part
/// that takes the focus (a combo box's entry, a scrolled text or list), that part.
std::vector<GtkWidget*> FocusWidgets(wxWindow* field)
{
    auto* widget = static_cast<GtkWidget*>(field->GetHandle());
    std::vector<GtkWidget*> widgets{widget};
    if (widget != nullptr && GTK_IS_BIN(widget)) {
        if (GtkWidget* child = gtk_bin_get_child(GTK_BIN(widget))) {
            widgets.push_back(child);
        }
    }
    return widgets;
}

void Name(wxWindow* field, const wxString& name, wxStaticText* label)
{
    const std::string text = FromWx(name);
    auto* labelWidget = label != nullptr ? static_cast<GtkWidget*>(label->GetHandle()) : nullptr;
    for (GtkWidget* widget : FocusWidgets(field)) {
        AtkObject* accessible = gtk_widget_get_accessible(widget);
        atk_object_set_name(accessible, text.c_str());
        if (labelWidget == nullptr) {
            continue;
        }
        // the label's "label for" and the field's "labelled by" relations; added only once, as
        // the names are set again after every change of language
        AtkObject* labelAccessible = gtk_widget_get_accessible(labelWidget);
        AtkRelationSet* relations = atk_object_ref_relation_set(accessible);
        if (!atk_relation_set_contains_target(relations, ATK_RELATION_LABELLED_BY, labelAccessible)) {
            atk_object_add_relationship(accessible, ATK_RELATION_LABELLED_BY, labelAccessible);
            atk_object_add_relationship(labelAccessible, ATK_RELATION_LABEL_FOR, accessible);
        }
        g_object_unref(relations);
    }
}

/// A label's text as read: without its mnemonic marker and the colon that ends it.
wxString ReadText(const wxStaticText* label)
{
    wxString text = label->GetLabelText();
    text.Trim();
    if (text.EndsWith(":")) {
        text.RemoveLast().Trim();
    }
    return text;
}

}  // namespace

void NameFieldsByLabels(wxWindow* window)
{
    if (window == nullptr) {
        return;
    }
    const wxTopLevelWindow* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(window));
    wxStaticText* label = nullptr;
    for (wxWindow* child : window->GetChildren()) {
        if (auto* text = dynamic_cast<wxStaticText*>(child)) {
            label = text;
        } else if (IsField(child)) {
            if (label != nullptr) {
                Name(child, ReadText(label), label);
            } else if (top != nullptr) {
                Name(child, top->GetTitle(), nullptr);
            }
            label = nullptr;
        } else if (child->IsFocusable() || child->GetChildren().empty()) {
            label = nullptr;  // a label belongs to the field right after it only
        }
        if (!child->GetChildren().empty() && !IsField(child)) {
            NameFieldsByLabels(child);  // a panel's fields
        }
    }
}
