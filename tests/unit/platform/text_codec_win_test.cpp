// text_codec_win_test.cpp - bytes that are no UTF-8 read in the Windows ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text_codec.h"

namespace {

TEST(TextCodecWindows, BytesThatAreNoUtf8AreReadInTheAnsiCodePage)
{
    if (GetACP() != 1252) {
        GTEST_SKIP() << "the checks are written for code page 1252, this system has " << GetACP();
    }
    EXPECT_EQ(DecodeBytes("\x80 M\xFCller \xC3\xBC"), L"\u20AC M\u00FCller \u00FC");
    EXPECT_EQ(AsUtf8("5 \x80"), "5 \xE2\x82\xAC");
}

}  // namespace
