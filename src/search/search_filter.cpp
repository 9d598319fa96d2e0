// search_filter.cpp - the one-term or OR filter over the search attributes.
#include "search/search_filter.h"

#include <vector>

namespace {

std::string Term(const std::string& attribute, const std::string& value)
{
    return "(" + attribute + "=" + value + ")";
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string AttributeFilter(const std::string& attributeField, const std::string& escapedValue)
{
    if (attributeField.find(',') == std::string::npos) {
        return Term(attributeField, escapedValue);
    }
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = attributeField.find(',', start);
        std::string name = Trimmed(attributeField.substr(start, comma == std::string::npos ? comma : comma - start));
        if (!name.empty()) {
            names.push_back(std::move(name));
        }
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (names.empty()) {
        // Nothing but commas: the server says what is wrong with it, as with any other name.
        return Term(attributeField, escapedValue);
    }
    if (names.size() == 1) {
        return Term(names.front(), escapedValue);
    }
    std::string filter = "(|";
    for (const std::string& name : names) {
        filter += Term(name, escapedValue);
    }
    return filter + ")";
}
