// readable_text_test.cpp - names and DNs shown readable: UTF-8 kept as it is, each byte of a
// malformed sequence as "\XX".
#include "result/readable_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ReadableText, Utf8KeptEveryOtherByteAsHexPair)
{
    const struct {
        const char* name;
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"ASCII, backslash and controls as they are", "cn=a\\2C b\t", "cn=a\\2C b\t"},
        {"two to four byte characters", "M\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80",
         "M\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"Latin-1 byte", "cn=M\xFCller", "cn=M\\FCller"},
        {"cut sequence at the end", "a\xC3", "a\\C3"},
        {"lead byte then ASCII", "\xE2\x82x", "\\E2\\82x"},
        {"overlong form", "\xC0\xAF", "\\C0\\AF"},
        {"surrogate", "\xED\xA0\x80", "\\ED\\A0\\80"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", "\\F4\\90\\80\\80"},
        {"NUL is a character", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadableText(c.bytes), c.shown);
        EXPECT_EQ(IsUtf8(c.bytes), c.bytes == c.shown);
        EXPECT_TRUE(IsUtf8(ReadableText(c.bytes)));
    }
}

}  // namespace
