// filter_value.cpp - escaping of a search value for a search filter.
#include "search/filter_value.h"

std::string EscapeFilterValue(std::string_view value)
{
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
        switch (c) {
            case '(':
                escaped.append("\\28");
                break;
            case ')':
                escaped.append("\\29");
                break;
            case '\\':
                escaped.append("\\5c");
                break;
            case '\0':
                escaped.append("\\00");
                break;
            case '*':
                // "**" is no wildcard the directory accepts: a run of them means what one means.
                if (escaped.empty() || escaped.back() != '*') {
                    escaped.push_back('*');
                }
                break;
            default:
                escaped.push_back(c);
                break;
        }
    }
    return escaped;
}
