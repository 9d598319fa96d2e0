// accessible_names_test.cpp - the names a screen reader announces for every field of the main
// window and the dialogs, read from the toolkit's accessibility objects, which the desktop's
// accessibility bus hands on to readers as they are.
#include <gtk/gtk.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dataview.h>
#include <wx/listbox.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "dialogs/about_dialog.h"
#include "dialogs/connection_dialog.h"
#include "dialogs/detail_fields_dialog.h"
#include "dialogs/language_dialog.h"
#include "search_window/details_dialog.h"
#include "search_window/password_dialog.h"
#include "search_window_fixture.h"

namespace {

bool IsField(const wxWindow* window)
{
    return dynamic_cast<const wxTextCtrl*>(window) != nullptr || dynamic_cast<const wxComboBox*>(window) != nullptr ||
           dynamic_cast<const wxSpinCtrl*>(window) != nullptr || dynamic_cast<const wxListBox*>(window) != nullptr ||
           dynamic_cast<const wxDataViewCtrl*>(window) != nullptr || dynamic_cast<const wxChoice*>(window) != nullptr;
}

/// The accessible object a reader lands on: a wrapped entry, text or list where there is one.
AtkObject* Accessible(wxWindow* field)
{
    auto* widget = static_cast<GtkWidget*>(field->GetHandle());
    if (GTK_IS_BIN(widget) && gtk_bin_get_child(GTK_BIN(widget)) != nullptr) {
        widget = gtk_bin_get_child(GTK_BIN(widget));
    }
    return gtk_widget_get_accessible(widget);
}

std::string NameOf(wxWindow* field)
{
    const char* name = atk_object_get_name(Accessible(field));
    return name != nullptr ? name : "";
}

/// The text of the label the field is labelled by, "" when none.
std::string LabelledBy(wxWindow* field)
{
    AtkRelationSet* relations = atk_object_ref_relation_set(Accessible(field));
    std::string text;
    if (AtkRelation* relation = atk_relation_set_get_relation_by_type(relations, ATK_RELATION_LABELLED_BY)) {
        GPtrArray* targets = atk_relation_get_target(relation);
        if (targets->len > 0) {
            if (const char* name = atk_object_get_name(ATK_OBJECT(g_ptr_array_index(targets, 0)))) {
                text = name;
            }
        }
    }
    g_object_unref(relations);
    return text;
}

/// Every field below window, in creation order.
void Fields(wxWindow* window, std::vector<wxWindow*>& fields)
{
    for (wxWindow* child : window->GetChildren()) {
        if (IsField(child)) {
            fields.push_back(child);
        } else {
            Fields(child, fields);
        }
    }
}

/// Every field of window has a name; a labelled one is named as its label reads.
void ExpectEveryFieldNamed(wxWindow* window)
{
    std::vector<wxWindow*> fields;
    Fields(window, fields);
    EXPECT_FALSE(fields.empty());
    for (wxWindow* field : fields) {
        SCOPED_TRACE("field " + std::to_string(field->GetId()) + " of " + FromWx(window->GetLabel()));
        EXPECT_NE(NameOf(field), "");
        const std::string label = LabelledBy(field);
        if (!label.empty()) {
            EXPECT_EQ(NameOf(field), label.substr(0, label.find_last_not_of(": ") + 1));
        }
    }
}

class AccessibleNames : public SearchWindowTest {};

}  // namespace

TEST_F(AccessibleNames, MainWindowFieldsAreNamedByTheirLabels)
{
    // the server field was announced as "Result attribute", the others had no name at all
    const std::pair<int, const char*> expected[] = {
        {ctl::kServer, "LDAP server"},
        {ctl::kPort, "LDAP port"},
        {ctl::kBaseDn, "Disting. name"},
        {ctl::kPreselection, "Search preselection"},
        {ctl::kSearchAttribute, "Search attribute"},
        {ctl::kResultAttribute, "Result attribute"},
        {ctl::kSearchString, "Searchstring"},
        {ctl::kResultList, "Result"},
    };
    for (const auto& [id, name] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(NameOf(Control(id)), name);
        EXPECT_EQ(LabelledBy(Control(id)), name);
    }
}

TEST_F(AccessibleNames, EveryDialogsFieldsAreNamed)
{
    const TextCatalog& texts = *Window().Language().Catalog();
    std::vector<wxWindow*> dialogs{
        new CConnectionDlg(&Window(), "cn=reader", ConnectionOptions{}, texts),
        new COptionDetailsDlg(&Window(), DetailSlots{}, texts),
        new CPasswordDlg(&Window(), "cn=reader", texts),
        new CLanguageDlg(&Window(), LanguageSelection{"", "", Window().Language().Catalog()}, "", ""),
    };
    for (wxWindow* dialog : dialogs) {
        dialog->Show();
        PumpEvents();
        ExpectEveryFieldNamed(dialog);
        dialog->Destroy();
    }
    // the details text, with no label of its own, carries its window's name
    Search("sn", "Smith", "cn");
    DetailsShownHook hook([](CDetailsDialog& details) {
        std::vector<wxWindow*> fields;
        Fields(&details, fields);
        ASSERT_EQ(fields.size(), 1u);
        EXPECT_EQ(NameOf(fields[0]), FromWx(details.GetTitle()));
        details.Close();
    });
    Commands().Details();
    WaitForQuery();
    EXPECT_TRUE(PumpUntil([&] { return hook.Calls() == 1; }));
}
