// apply_mnemonics.cpp - mnemonics chosen from the labels a menu shows now (ChooseMnemonics).
#include "platform/apply_mnemonics.h"

#include <string>
#include <vector>

#include <wx/menu.h>

#include "localisation/menu_mnemonics.h"
#include "platform/text.h"

namespace {

/// The labels with their mnemonics: each label split, the letters chosen together, then joined.
std::vector<std::string> Marked(const std::vector<std::string>& labels)
{
    std::vector<std::string> texts(labels.size());
    std::vector<std::string> shortcuts(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        SplitMenuLabel(labels[i], texts[i], shortcuts[i]);
    }
    const std::vector<std::size_t> positions = ChooseMnemonics(texts);
    std::vector<std::string> marked;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        marked.push_back(MarkMnemonic(texts[i], positions[i], shortcuts[i]));
    }
    return marked;
}

}  // namespace

void ApplyMnemonics(wxMenu* menu)
{
    if (menu == nullptr) {
        return;
    }
    std::vector<wxMenuItem*> items;
    std::vector<std::string> labels;
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSeparator()) {
            continue;
        }
        items.push_back(item);
        labels.push_back(FromWx(item->GetItemLabel()));
        if (item->IsSubMenu()) {
            ApplyMnemonics(item->GetSubMenu());
        }
    }
    const std::vector<std::string> marked = Marked(labels);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (marked[i] != labels[i]) {
            items[i]->SetItemLabel(ToWx(marked[i]));
        }
    }
}

void ApplyMnemonics(wxMenuBar* bar)
{
    if (bar == nullptr) {
        return;
    }
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < bar->GetMenuCount(); ++i) {
        labels.push_back(FromWx(bar->GetMenuLabel(i)));
        ApplyMnemonics(bar->GetMenu(i));
    }
    const std::vector<std::string> marked = Marked(labels);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (marked[i] != labels[i]) {
            bar->SetMenuLabel(i, ToWx(marked[i]));
        }
    }
}
