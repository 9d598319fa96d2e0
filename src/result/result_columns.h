// result_columns.h - the columns an answer is laid out in: the attribute name each column takes its
// values from and the heading it shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// The columns of a laid-out answer: column k takes the values of the attributes named
/// attributes[k] (see AttributeKey) and is headed headings[k].
struct ResultColumns {
    std::vector<std::string> attributes;  ///< the names asked for; name of column k
    std::vector<std::string> headings;    ///< one per result column
    int32_t columnCount() const { return static_cast<int32_t>(headings.size()); }
};
