// detail_fields_rules.cpp - list text <-> detail slots for the detail-fields dialog.
#include "dialogs/detail_fields_rules.h"

#include "platform/text_codec.h"

std::string DetailFieldsText(const DetailSlots& slots)
{
    std::string text;
    for (const std::string& name : DetailList(slots)) {
        if (!text.empty())
            text += '\n';
        text += name;
    }
    return text;
}

std::string WithFieldAdded(const std::string& text, const std::string& name)
{
    if (name.empty())
        return text;
    return text.empty() ? name : text + '\n' + name;
}

DetailSlots DetailSlotsFromText(const std::string& text)
{
    DetailSlots slots{};
    std::size_t start = 0;
    for (std::size_t slot = 0; slot < slots.size(); ++slot) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        slots[slot] = CutToBytes(line, kFieldLimit);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return slots;
}
