// decimal_text.cpp - the strtol-like decimal reader shared by the settings lookups and the port field.
#include "storage/decimal_text.h"

#include <limits>

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int32_t ParseDecimal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int64_t kMinMagnitude = -static_cast<int64_t>(std::numeric_limits<int32_t>::min());
    const int64_t limit = negative ? kMinMagnitude : kMax;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (magnitude < limit) {
            magnitude = magnitude * 10 + (text[i] - '0');
            if (magnitude > limit) {
                magnitude = limit;
            }
        }
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
