// value_range.h - the range option of an attribute name ("member;range=0-1499"), with which a
// server hands out a large attribute's values a part at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/** The part of an attribute's values an answer named "name;range=FIRST-LAST" holds. */
struct ValueRange {
    std::string plainName;         ///< the name without its range option (other options kept)
    uint64_t first = 0;            ///< the index of the first value it holds
    std::optional<uint64_t> last;  ///< the index of its last value; none ("*") when the values end there
};

/// The range an attribute name carries, or nullopt when it has no range option or one that is no
/// "FIRST-LAST" or "FIRST-*" of decimal numbers with FIRST <= LAST. The option's name is read in
/// any case.
std::optional<ValueRange> ParseValueRange(std::string_view attributeName);

/// The name that asks for the values of plainName from index first on: "plainName;range=FIRST-*".
std::string RangeRequestName(std::string_view plainName, uint64_t first);

/// The name of values first to last of plainName: "plainName;range=FIRST-LAST".
std::string RangeName(std::string_view plainName, uint64_t first, uint64_t last);
