// main_window_template.cpp - the main window's controls and the attribute names of its combo boxes.
#include "app/main_window_template.h"

namespace {

using K = ControlKind;

const TemplateControl kControls[] = {
    {ctl::kServerLabel, K::Label, "LDAP Server:", 3, 31, 71, 12},
    {ctl::kPreselectionLabel, K::Label, "Search preselection:", 3, 58, 67, 12},
    {ctl::kSearchAttributeLabel, K::Label, "Search attribute:", 171, 58, 76, 12},
    {ctl::kSearchStringLabel, K::Label, "Searchstring:", 4, 89, 50, 12},
    {ctl::kResultLabel, K::Label, "Search result:", 4, 103, 46, 12},
    {ctl::kBaseDnLabel, K::Label, "Disting. name:", 3, 44, 68, 12},
    {ctl::kPortLabel, K::Label, "LDAP Port:", 171, 31, 72, 12},
    {ctl::kResultAttributeLabel, K::Label, "Result attribute:", 171, 44, 76, 12},
    {ctl::kServer, K::Edit, "", 76, 28, 93, 12},
    {ctl::kPort, K::Edit, "", 249, 27, 24, 12},
    {ctl::kBaseDn, K::Edit, "", 76, 42, 93, 12},
    {ctl::kResultAttribute, K::ComboBox, "", 250, 42, 99, 108},
    {ctl::kPreselection, K::Edit, "", 76, 56, 93, 12},
    {ctl::kSearchAttribute, K::SortedComboBox, "", 250, 57, 100, 98},
    {ctl::kSearchString, K::Edit, "", 56, 88, 233, 12},
    {ctl::kSearch, K::DefaultButton, "Search", 297, 88, 50, 14},
    {ctl::kDetails, K::Button, "Details", 297, 105, 50, 14},
    {ctl::kSwap, K::CheckBox, "Swap search and result attributes", 75, 70, 175, 12},
    {ctl::kResultList, K::ListView, "", 56, 103, 231, 97},
    {ctl::kBanner, K::Picture, "", 0, 0, 355, 26},
};

}  // namespace

std::span<const TemplateControl> MainWindowTemplate()
{
    return kControls;
}
