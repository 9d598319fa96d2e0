// binary_value_test.cpp - which values are binary, and the readable form each is shown in.
#include "result/binary_value.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(BinaryValue, ByAttributeOrBytesAndShownReadable)
{
    const std::string guid = "\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f"s;
    const std::string sid =
        "\x01\x05\x00\x00\x00\x00\x00\x05\x15\x00\x00\x00\xdc\xf4\xdc\x3b\x83\x3d\x2b\x46\x82\x8b\xa6\x28\x00\x02\x00\x00"s;
    const struct {
        const char* attribute;
        std::string value;
        bool binary;
        std::string shown;
    } cases[] = {
        {"objectGUID", guid, true, "03020100-0504-0706-0809-0a0b0c0d0e0f"},
        {"OBJECTGUID;x-opt", guid, true, "03020100-0504-0706-0809-0a0b0c0d0e0f"},
        {"objectGUID", guid.substr(0, 15), true, "<binary, 15 bytes>"},
        {"objectSid", sid, true, "S-1-5-21-1004336348-1177238915-682003330-512"},
        {"sIDHistory", "\x01\x00\x00\x00\x00\x00\x00\x05"s, true, "S-1-5"},
        {"objectSid", sid.substr(0, 27), true, "<binary, 27 bytes>"},
        {"objectSid", "\x01\x01\x01\x02\x03\x04\x05\x06\x07\x00\x00\x00"s, true, "S-1-0x010203040506-7"},
        {"jpegPhoto", "\xff\xd8\xff\x00\x01\x02"s, true, "<binary, 6 bytes>"},
        {"thumbnailPhoto", "plain", true, "<binary, 5 bytes>"},
        {"userCertificate;binary", "0\x82", true, "<binary, 2 bytes>"},
        {"cn;Binary", "abc", true, "<binary, 3 bytes>"},
        {"cn;binaryx", "abc", false, "abc"},
        {"description", "<binary, 3 bytes>", false, "<binary, 3 bytes>"},
        {"cn", "\xce\x9a\xcf\x8e\xcf\x83\xcf\x84\xce\xb1\xcf\x82 \xc3\x96zt\xc3\xbcrk", false,
         "\xce\x9a\xcf\x8e\xcf\x83\xcf\x84\xce\xb1\xcf\x82 \xc3\x96zt\xc3\xbcrk"},
        {"cn", "a\0b"s, true, "<binary, 3 bytes>"},
        {"cn", "M\xfcller", true, "<binary, 6 bytes>"},
        {"cn", "\xc0\xaf", true, "<binary, 2 bytes>"},          // overlong "/"
        {"cn", "\xed\xa0\x80", true, "<binary, 3 bytes>"},      // a surrogate
        {"cn", "\xf4\x90\x80\x80", true, "<binary, 4 bytes>"},  // past U+10FFFF
        {"cn", "\xe2\x82", true, "<binary, 2 bytes>"},          // cut short
        {"rightsGuid", "ab6a1e53-0b76-4a8c-9b2e-12f2d6d5e8a1", false, "ab6a1e53-0b76-4a8c-9b2e-12f2d6d5e8a1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.attribute) + " " + c.shown);
        EXPECT_EQ(IsBinaryValue(c.attribute, c.value), c.binary);
        EXPECT_EQ(ReadableValue(c.attribute, c.value), c.shown);
    }
}

}  // namespace
