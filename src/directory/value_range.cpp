// value_range.cpp - the range option of an attribute name.
#include "directory/value_range.h"

#include "directory/ascii_case.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace {

constexpr std::string_view kRangeOption = ";range=";

/// The decimal number text holds whole, or nullopt.
std::optional<uint64_t> Number(std::string_view text)
{
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

/// Where the range option starts in name, read in any case; npos when it has none.
std::size_t RangeOptionAt(std::string_view name)
{
    for (std::size_t at = name.find(';'); at != std::string_view::npos; at = name.find(';', at + 1)) {
        if (StartsWithNoCase(name.substr(at), kRangeOption)) {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::optional<ValueRange> ParseValueRange(std::string_view attributeName)
{
    const std::size_t at = RangeOptionAt(attributeName);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t valueAt = at + kRangeOption.size();
    const std::size_t end = std::min(attributeName.find(';', valueAt), attributeName.size());
    const std::string_view bounds = attributeName.substr(valueAt, end - valueAt);
    const std::size_t dash = bounds.find('-');
    if (dash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<uint64_t> first = Number(bounds.substr(0, dash));
    const std::string_view lastText = bounds.substr(dash + 1);
    ValueRange range;
    if (!first) {
        return std::nullopt;
    }
    range.first = *first;
    if (lastText != "*") {
        range.last = Number(lastText);
        if (!range.last || *range.last < range.first) {
            return std::nullopt;
        }
    }
    range.plainName = std::string(attributeName.substr(0, at)) + std::string(attributeName.substr(end));
    return range;
}

std::string RangeRequestName(std::string_view plainName, uint64_t first)
{
    return std::string(plainName) + std::string(kRangeOption) + std::to_string(first) + "-*";
}

std::string RangeName(std::string_view plainName, uint64_t first, uint64_t last)
{
    return std::string(plainName) + std::string(kRangeOption) + std::to_string(first) + "-" + std::to_string(last);
}
