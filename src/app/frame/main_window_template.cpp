// main_window_template.cpp - the main window's controls and the attribute names of its combo boxes.
#include "app/frame/main_window_template.h"

#include <algorithm>
#include <utility>

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

std::vector<TemplateControl> MainWindowCreationOrder()
{
    // each field and the label that names it
    constexpr std::pair<int, int> kLabels[] = {
        {ctl::kServer, ctl::kServerLabel},
        {ctl::kPort, ctl::kPortLabel},
        {ctl::kBaseDn, ctl::kBaseDnLabel},
        {ctl::kResultAttribute, ctl::kResultAttributeLabel},
        {ctl::kPreselection, ctl::kPreselectionLabel},
        {ctl::kSearchAttribute, ctl::kSearchAttributeLabel},
        {ctl::kSearchString, ctl::kSearchStringLabel},
        {ctl::kResultList, ctl::kResultLabel},
    };
    const auto row = [](int id) {
        return *std::find_if(MainWindowTemplate().begin(), MainWindowTemplate().end(),
                             [id](const TemplateControl& control) { return control.id == id; });
    };
    std::vector<TemplateControl> order;
    for (const TemplateControl& control : MainWindowTemplate()) {
        const auto isLabel = [&control](const std::pair<int, int>& pair) {
            return pair.second == control.id;
        };
        const auto isField = [&control](const std::pair<int, int>& pair) {
            return pair.first == control.id;
        };
        if (std::any_of(std::begin(kLabels), std::end(kLabels), isLabel)) {
            continue;
        }
        if (const auto* pair = std::find_if(std::begin(kLabels), std::end(kLabels), isField);
            pair != std::end(kLabels)) {
            order.push_back(row(pair->second));
        }
        order.push_back(control);
    }
    return order;
}
