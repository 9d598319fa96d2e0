// tagged_cell.cpp - tag codes and the split of a cell's text after its tag.
#include "result/tagged_cell.h"

TagCode CodeOfTag(std::string_view tag)
{
    if (tag == kEntryTag) {
        return TagCode::Entry;
    }
    if (tag == kAttributeTag) {
        return TagCode::Attribute;
    }
    if (tag == kValueTag) {
        return TagCode::Value;
    }
    return TagCode::None;
}

std::string_view TagOfCode(TagCode code)
{
    switch (code) {
        case TagCode::Entry:
            return kEntryTag;
        case TagCode::Attribute:
            return kAttributeTag;
        case TagCode::Value:
            return kValueTag;
        case TagCode::None:
            break;
    }
    return {};
}

TaggedCell TaggedCell::Split(std::string_view whole)
{
    for (const std::string_view tag : {kEntryTag, kAttributeTag, kValueTag}) {
        if (whole.starts_with(tag)) {
            return {tag, whole.substr(tag.size())};
        }
    }
    return {{}, whole};
}

std::string TaggedCell::Whole() const
{
    std::string whole;
    whole.reserve(size());
    AppendTo(whole);
    return whole;
}
