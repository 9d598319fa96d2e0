// menu_label.cpp - which shortcut texts the toolkit reads, and the menu labels built from them.
#include "platform/menu_label.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <utility>

#include "platform/text_codec.h"

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return lower;
}

bool IsFunctionKey(const std::string& key)
{
    if (key.size() < 2 || key.size() > 3 || key[0] != 'f') {
        return false;
    }
    if (!std::all_of(key.begin() + 1, key.end(), [](unsigned char ch) { return std::isdigit(ch); })) {
        return false;
    }
    if (key[1] == '0') {
        return false;
    }
    const int number = std::stoi(key.substr(1));
    return number >= 1 && number <= 24;
}

bool IsNamedKey(const std::string& key)
{
    static constexpr std::array<std::string_view, 21> kNames = {
        "del",    "delete", "ins",    "insert", "home",  "end",  "pgup", "pgdn",  "pageup", "pagedown", "enter",
        "return", "esc",    "escape", "tab",    "space", "back", "left", "right", "up",     "down"};
    return std::find(kNames.begin(), kNames.end(), key) != kNames.end();
}

}  // namespace

bool IsToolkitShortcut(const std::string& shortcut)
{
    std::string rest = Lower(shortcut);
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    for (;;) {
        bool* flag = nullptr;
        std::size_t length = 0;
        if (rest.rfind("ctrl+", 0) == 0) {
            flag = &ctrl;
            length = 5;
        } else if (rest.rfind("alt+", 0) == 0) {
            flag = &alt;
            length = 4;
        } else if (rest.rfind("shift+", 0) == 0) {
            flag = &shift;
            length = 6;
        }
        if (flag == nullptr) {
            break;
        }
        if (*flag) {
            return false;
        }
        *flag = true;
        rest.erase(0, length);
    }
    const bool modified = ctrl || alt || shift;
    if (rest.size() == 1) {
        return modified && std::isalnum(static_cast<unsigned char>(rest[0])) != 0;
    }
    return IsFunctionKey(rest) || IsNamedKey(rest);
}

std::string ToolkitShortcut(const std::string& shortcut)
{
    static constexpr std::pair<std::string_view, std::string_view> kWords[] = {
        {"strg", "Ctrl"},
        {"ctl", "Ctrl"},
        {"umschalt", "Shift"},
        {"umsch", "Shift"},
        {"maj", "Shift"},
        {"entf", "Del"},
        {"suppr", "Del"},
        {"einfg", "Ins"},
        {"\xc3\xa9"
         "chap",
         "Esc"},
        {"\xc3\x89"
         "chap",
         "Esc"},
    };
    std::string mapped;
    std::size_t start = 0;
    for (;;) {
        // a "+" right at the start of a part is the key itself ("Ctrl++")
        const std::size_t plus = shortcut.find('+', start + 1);
        const std::string part = shortcut.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        const std::string lower = Lower(part);
        std::string_view word = part;
        for (const auto& [name, toolkit] : kWords) {
            if (lower == name) {
                word = toolkit;
            }
        }
        mapped += word;
        if (plus == std::string::npos) {
            return mapped;
        }
        mapped += '+';
        start = plus + 1;
        if (start >= shortcut.size()) {
            return mapped;
        }
    }
}

std::string ToolkitMenuLabel(const std::string& text)
{
    const std::size_t tab = text.find('\t');
    if (tab == std::string::npos) {
        return DoubleAmpersands(text);
    }
    const std::string label = DoubleAmpersands(std::string_view(text).substr(0, tab));
    const std::string shortcut = text.substr(tab + 1);
    if (shortcut.empty()) {
        return label;
    }
    const std::string toolkit = ToolkitShortcut(shortcut);
    if (IsToolkitShortcut(toolkit)) {
        return label + "\t" + toolkit;
    }
    // shown as plain text: no TAB may remain for the toolkit to parse
    std::string shown = DoubleAmpersands(shortcut);
    std::replace(shown.begin(), shown.end(), '\t', ' ');
    return label + " (" + shown + ")";
}
