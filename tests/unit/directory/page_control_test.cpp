// page_control_test.cpp - the paged-results control's value as a server may encode it, or break it.
#include "directory/page_control.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(PageControl, ReadsTheCookieOnlyFromAWholeValue)
{
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::string value;
        std::optional<std::string> cookie;
    } cases[] = {
        {"cookie", "\x30\x07\x02\x01\x00\x04\x02\x63\x31"s, "c1"},
        {"last page", "\x30\x05\x02\x01\x00\x04\x00"s, ""},
        {"long-form lengths", "\x30\x81\x08\x02\x01\x05\x04\x82\x00\x01\x78"s, "x"},
        {"no value", ""s, std::nullopt},
        {"cookie longer than the value", "\x30\x07\x02\x01\x00\x04\x09\x63\x31"s, std::nullopt},
        {"sequence longer than the value", "\x30\x7f\x02\x01\x00\x04\x00"s, std::nullopt},
        {"no size", "\x30\x02\x04\x00"s, std::nullopt},
        {"indefinite length", "\x30\x80\x02\x01\x00\x04\x00\x00\x00"s, std::nullopt},
        {"bytes after the value", "\x30\x05\x02\x01\x00\x04\x00\x00"s, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PageCookieOf(c.value), c.cookie);
    }
}
