// detail_fields_rules.cpp - list text <-> detail slots for the detail-fields dialog.
#include "dialogs/detail_fields_rules.h"

#include <algorithm>

#include "platform/text_codec.h"

std::string DetailFieldsText(const DetailSlots& slots)
{
    std::string text;
    for (const std::string& name : DetailList(slots)) {
        if (!text.empty()) {
            text += '\n';
        }
        text += name;
    }
    return text;
}

std::string WithFieldAdded(const std::string& text, const std::string& name)
{
    if (name.empty()) {
        return text;
    }
    return text.empty() ? name : text + '\n' + name;
}

DetailSlots DetailSlotsFromText(const std::string& text)
{
    // Every reader stops at the first empty slot: a blank line kept as one would hide every name
    // after it, so blank lines are left out and the names close up.
    DetailSlots slots{};
    std::size_t slot = 0;
    std::size_t start = 0;
    while (slot < slots.size() && start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") != std::string::npos) {
            slots[slot++] = CutToBytes(line, kFieldLimit);
        }
        start = end + 1;
    }
    return slots;
}
