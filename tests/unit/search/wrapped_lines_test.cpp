// wrapped_lines_test.cpp - a message broken into lines of a given width.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/wrapped_lines.h"

namespace {

using Lines = std::vector<std::string>;

TEST(WrapToWidth, BreaksAtBlanksAndInsideOnlyTooWideWords)
{
    // One unit a character (a UTF-8 character counts once).
    const auto measure = [](std::string_view text) {
        int width = 0;
        for (const char byte : text) {
            width += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
        }
        return width;
    };
    const struct {
        const char* text;
        int width;
        Lines lines;
    } cases[] = {
        {"", 10, {""}},
        {"fits whole", 10, {"fits whole"}},
        {"Search failed: no answer", 14, {"Search failed:", "no answer"}},
        {"a bb ccc dddd", 6, {"a bb", "ccc", "dddd"}},
        {"cn=reader,dc=corvane,dc=test x", 10, {"cn=reader,", "dc=corvane", ",dc=test x"}},
        {"Müller Jürgen", 4, {"Müll", "er", "Jürg", "en"}},
        {"x", 0, {"x"}},  // nothing fits: one character a line all the same
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WrapToWidth(c.text, c.width, measure), c.lines) << c.text;
    }
}

}  // namespace
