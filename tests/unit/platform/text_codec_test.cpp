// text_codec_test.cpp - UTF-8 decoding with the Latin-1 fallback, encoding and byte-limited cuts.
#include <gtest/gtest.h>

#include "platform/text_codec.h"

TEST(TextCodec, ValidTextRoundTripsExactly)
{
    for (const std::string& bytes :
         {std::string(), std::string("plain"), std::string("M\xC3\xBCller"), std::string("\xE2\x82\xAC 5"),
          std::string("\xF0\x9F\x93\x87 card"), std::string("nul\0inside", 10), std::string("\xEF\xBF\xBF")}) {
        EXPECT_EQ(EncodeText(DecodeBytes(bytes)), bytes);
    }
    // a character beyond U+FFFF is one wchar_t, or a surrogate pair where wchar_t has 16 bits
    EXPECT_EQ(DecodeBytes("\xF0\x9F\x93\x87").size(), sizeof(wchar_t) == 2 ? 2u : 1u);
}

TEST(TextCodec, BytesThatDoNotDecodeShowInTheSystemCodePage)
{
    const struct {
        std::string bytes;
        std::wstring text;
    } rows[] = {
        {"M\xFCller", L"M\u00FCller"},  // a single Latin-1 byte
        {"\xC3", L"\u00C3"},            // a sequence cut at the end
        {"\xC3(", L"\u00C3("},          // a lead byte without its continuation
        {"\xC0\xAF", L"\u00C0\u00AF"},  // an overlong form
        // bytes from 0xA0 on, which Latin-1 and the Windows code page 1252 read alike
        {"\xED\xA0\xA1", L"\u00ED\u00A0\u00A1"},            // a surrogate
        {"\xF4\xA0\xA1\xA1", L"\u00F4\u00A0\u00A1\u00A1"},  // above U+10FFFF
        {"\xA9\xC3\xBC", L"\u00A9\u00FC"},                  // a stray continuation before a valid one
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DecodeBytes(row.bytes), row.text) << row.bytes;
    }
}

TEST(TextCodec, UnencodableCharactersBecomeQuestionMarksAndAmpersandsDouble)
{
    // a lone surrogate, a low one before a high one, and (with a 32-bit wchar_t) a value past U+10FFFF
    EXPECT_EQ(EncodeText(std::wstring{L'a', static_cast<wchar_t>(0xD800), L'b', static_cast<wchar_t>(0xDC00),
                                      static_cast<wchar_t>(0xD800)}),
              "a?b??");
    if constexpr (sizeof(wchar_t) == 4) {
        EXPECT_EQ(EncodeText(std::wstring{static_cast<wchar_t>(0x110000)}), "?");
    }
    EXPECT_EQ(DoubleAmpersands("R&D && more&"), "R&&D &&&& more&&");
    EXPECT_EQ(DoubleAmpersands(""), "");
}

TEST(TextCodec, CutsNeverSplitACharacter)
{
    const struct {
        std::string text;
        std::size_t limit;
        std::string cut;
    } rows[] = {
        {"abc", 5, "abc"},           {"abc", 3, "abc"},
        {"abcd", 3, "abc"},          {"ab\xC3\xBC", 3, "ab"},  // the two-byte character would cross the limit
        {"a\xE2\x82\xAC", 3, "a"},   {"a\xE2\x82\xAC", 4, "a\xE2\x82\xAC"},
        {"ab\xFC\xFC", 3, "ab\xFC"},  // stray bytes count one by one
        {"\xF0\x9F\x93\x87", 2, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CutToBytes(row.text, row.limit), row.cut) << row.text << " / " << row.limit;
    }
}
