// wrapped_lines.cpp - a message broken into lines at blanks.
#include "search/wrapped_lines.h"

namespace {

/// The length of the longest start of word no wider than width, ending at a character's end; at
/// least one character, so that every line takes something.
std::size_t FittingStart(std::string_view word, int width, const std::function<int(std::string_view)>& measure)
{
    std::size_t fits = 0;
    for (std::size_t end = 1; end <= word.size(); ++end) {
        const bool characterEnds = end == word.size() || (static_cast<unsigned char>(word[end]) & 0xC0) != 0x80;
        if (!characterEnds) {
            continue;
        }
        if (measure(word.substr(0, end)) > width) {
            break;
        }
        fits = end;
    }
    if (fits == 0) {
        fits = 1;
        while (fits < word.size() && (static_cast<unsigned char>(word[fits]) & 0xC0) == 0x80) {
            ++fits;
        }
    }
    return fits;
}

}  // namespace

std::vector<std::string> WrapToWidth(std::string_view text, int width,
                                     const std::function<int(std::string_view)>& measure)
{
    std::vector<std::string> lines(1);
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t blank = text.find(' ', at);
        std::string_view word = text.substr(at, blank == std::string_view::npos ? std::string_view::npos : blank - at);
        at = blank == std::string_view::npos ? text.size() : blank + 1;
        std::string& line = lines.back();
        const std::string joined = line.empty() ? std::string(word) : line + " " + std::string(word);
        if (measure(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty()) {
            lines.emplace_back();
        }
        // A word too wide for a line of its own is broken where it passes the width.
        while (measure(word) > width) {
            const std::size_t fits = FittingStart(word, width, measure);
            if (fits == word.size()) {
                break;  // a single character wider than a line: a line of its own
            }
            lines.back() = std::string(word.substr(0, fits));
            lines.emplace_back();
            word.remove_prefix(fits);
        }
        lines.back() = std::string(word);
    }
    return lines;
}
