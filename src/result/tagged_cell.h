// tagged_cell.h - the tags that start the cells of a query's answer, and a cell's text seen as its
// tag and the text after it, so that the tag need not be stored with every cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// The tags that start the cells of a query's answer: the entry's distinguished name, an attribute's
/// name, one value of that attribute.
inline constexpr std::string_view kEntryTag = "<ENTRY>";
inline constexpr std::string_view kAttributeTag = "<ATTRIBUTE>";
inline constexpr std::string_view kValueTag = "<VALUE>";

/// A tag as one byte: 0 for none (the tag, if any, is part of the text), else one of the three.
enum class TagCode : uint8_t { None, Entry, Attribute, Value };

/// The code of a tag; None for any text that is not exactly one of the three tags.
TagCode CodeOfTag(std::string_view tag);
/// The tag a code stands for; empty for None.
std::string_view TagOfCode(TagCode code);

/**
 * A cell's text in two parts: the tag it starts with (empty when it starts with none) and the text
 * after it. The whole text is the two one after the other.
 */
struct TaggedCell {
    std::string_view tag;
    std::string_view text;

    /// Splits a whole text after the tag it starts with, if any.
    static TaggedCell Split(std::string_view whole);

    std::size_t size() const { return tag.size() + text.size(); }
    /// The whole text.
    std::string Whole() const;
    /// Appends the whole text to bytes.
    void AppendTo(std::string& bytes) const { bytes.append(tag).append(text); }
};
