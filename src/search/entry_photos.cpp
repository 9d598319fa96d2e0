// entry_photos.cpp - the pictures of a details answer's entries, read from the answer's table.
#include "search/entry_photos.h"

#include <algorithm>
#include <cstdint>

#include "result/result_table.h"
#include "result/attribute_names.h"
#include "result/readable_text.h"
#include "result/result_layout.h"

std::vector<std::string> WithPhotoAttributes(std::vector<std::string> names)
{
    if (names.empty()) {
        return names;  // no names asks for every attribute, the pictures among them
    }
    for (const std::string_view photo : kPhotoAttributes) {
        const std::string key = AttributeKey(photo);
        const bool named = std::any_of(names.begin(), names.end(),
                                       [&key](const std::string& name) { return AttributeKey(name) == key; });
        if (!named) {
            names.emplace_back(photo);
        }
    }
    return names;
}

namespace {

/// The rank of an attribute among the picture attributes (0 is preferred), or -1 for another one.
int PhotoRank(std::string_view name)
{
    const std::string key = AttributeKey(name);
    for (int rank = 0; rank < static_cast<int>(std::size(kPhotoAttributes)); ++rank) {
        if (key == AttributeKey(kPhotoAttributes[rank])) {
            return rank;
        }
    }
    return -1;
}

}  // namespace

std::vector<EntryPhoto> EntryPhotos(const ResultTable& table, const std::optional<std::set<std::string>>& shownDns)
{
    std::vector<EntryPhoto> photos;
    for (int32_t row = 0; row < table.RowCount(); ++row) {
        const std::string_view dn = EntryDn(table, row);
        if (shownDns && shownDns->count(std::string(dn)) == 0) {
            continue;
        }
        int bestRank = -1;
        std::string_view best;
        int currentRank = -1;
        bool firstValue = false;
        for (int32_t cell = 1; !RowEnded(table, cell, row); ++cell) {
            const TaggedCell tagged = table.CellView(cell, row);
            if (tagged.tag == kAttributeTag) {
                currentRank = PhotoRank(tagged.text);
                firstValue = true;
            } else if (tagged.tag == kValueTag && firstValue && currentRank >= 0) {
                firstValue = false;
                if (bestRank < 0 || currentRank < bestRank) {
                    bestRank = currentRank;
                    best = tagged.text;
                }
            }
        }
        if (bestRank >= 0 && !best.empty()) {
            photos.push_back({std::string(dn), std::string(best)});
        }
    }
    return photos;
}

std::string PhotoExtension(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xD8\xFF")) {
        return "jpg";
    }
    if (bytes.starts_with("\x89PNG\r\n\x1A\n")) {
        return "png";
    }
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) {
        return "gif";
    }
    return "bin";
}

std::string PhotoCaption(std::string_view dn)
{
    std::string value;
    const std::size_t equals = dn.find('=');
    if (equals != std::string_view::npos) {
        // The first RDN's value runs to the first comma or plus that no backslash escapes.
        for (std::size_t i = equals + 1; i < dn.size() && dn[i] != ',' && dn[i] != '+'; ++i) {
            if (dn[i] == '\\' && i + 1 < dn.size()) {
                ++i;
            }
            value.push_back(dn[i]);
        }
    } else {
        value = dn;
    }
    for (char& ch : value) {
        if (static_cast<unsigned char>(ch) < 0x20) {
            ch = '_';
        }
    }
    return ReadableText(value);
}
