// test_directory.h - facts about the private test directory that tests may rely on.
#pragma once

#include <cstdint>

namespace test_directory {

/// The suffix of every entry.
inline constexpr const char* kBaseDn = "dc=corvane,dc=test";
/// The branch of the generated people (test data) or of the departments (demo data).
inline constexpr const char* kPeopleDn = "ou=people,dc=corvane,dc=test";
/// The branch of the small hand-written entries of the test data.
inline constexpr const char* kFixturesDn = "ou=fixtures,dc=corvane,dc=test";

/// Generated people below kPeopleDn in the test data; each is an inetOrgPerson with cn, sn,
/// givenName, uid "pNNNN" and employeeNumber N (N from 0).
inline constexpr int32_t kPeopleCount = 1500;
/// People of the test data whose telephoneNumber starts with this prefix (followed by NNNN);
/// every third person also has "+49 89 5678 NNNN", every eleventh (N % 11 == 5) has none.
inline constexpr const char* kPhonePrefix = "+49 89 1234";
/// People whose first phone starts with "+49 89 1234 00" (N from 0 to 99, N % 11 != 5).
inline constexpr int32_t kPhonePrefix00Count = 91;
/// People below kPeopleDn in the large data: those of the test data and as many generated ones
/// more, uid "bNNNNNN" (from b000000), each with cn "Person NNNNNN", sn, givenName, mail and a phone.
inline constexpr int32_t kLargePeopleCount = 3000;
/// People in the demo data, 40 in each of 8 departments below kPeopleDn (besides them, the
/// service desk "Schulz (IT)" stands directly below kPeopleDn).
inline constexpr int32_t kDemoPeopleCount = 320;

/// A group of the large data with more members than a domain controller hands out at once:
/// kLargeGroupMembers values of member, "uid=bNNNNNN,ou=people,dc=corvane,dc=test" from b000000, in that order.
inline constexpr const char* kLargeGroupDn = "cn=Large Group,ou=groups,dc=corvane,dc=test";
inline constexpr const char* kGroupsDn = "ou=groups,dc=corvane,dc=test";
inline constexpr int32_t kLargeGroupMembers = 2500;

/// The one name that may search the "login" configuration, and its password (UTF-8).
inline constexpr const char* kReaderDn = "cn=reader,dc=corvane,dc=test";
inline constexpr const char* kReaderPassword = "Leser-P\xC3\xA4sswort-7Qx";

/// Entries an anonymous search gets from the "sizelimit" configuration.
inline constexpr int32_t kSizeLimit = 50;

/// The fixture cn=Smith has sn Smith and exactly the telephoneNumbers "123" and "456", no mail.
inline constexpr const char* kSmithDn = "cn=Smith,ou=fixtures,dc=corvane,dc=test";
/// cn=Smithers has sn Smithers, telephoneNumber "789" and mail "smithers@corvane.test".
inline constexpr const char* kSmithersDn = "cn=Smithers,ou=fixtures,dc=corvane,dc=test";
/// cn=Jones has only cn, sn and a jpegPhoto (a JPEG of 64 x 80 pixels, 813 bytes): no telephoneNumber, no mail.
inline constexpr const char* kJonesDn = "cn=Jones,ou=fixtures,dc=corvane,dc=test";
/// A UTF-8 fixture: sn "Müller", givenName "Jürgen", l "München",
/// description "Zimmer 3; 2. Stock", title "Forschung & Entwicklung".
inline constexpr const char* kMuellerDn = "cn=M\xC3\xBCller J\xC3\xBCrgen,ou=fixtures,dc=corvane,dc=test";
/// The two fixtures with sn "Width": "Width Four" has telephoneNumbers "111" and "222";
/// "Width Five" has telephoneNumber "333" and mail "width@corvane.test".
inline constexpr const char* kWidthFourDn = "cn=Width Four,ou=fixtures,dc=corvane,dc=test";
inline constexpr const char* kWidthFiveDn = "cn=Width Five,ou=fixtures,dc=corvane,dc=test";
/// sn "Photo", cn "Binary Photo" and a jpegPhoto of the 6 bytes FF D8 FF 00 01 02.
inline constexpr const char* kBinaryPhotoDn = "cn=Binary Photo,ou=fixtures,dc=corvane,dc=test";

/// sn "Portrait", cn "Binary Portrait" and a jpegPhoto of 1200 bytes counting up from 0 (0, 1, ...,
/// 255, 0, 1, ...): a binary value longer than a network packet's payload.
inline constexpr const char* kBinaryPortraitDn = "cn=Binary Portrait,ou=fixtures,dc=corvane,dc=test";
/// A branch of entries whose cn holds the characters a filter treats specially: "Schulz (IT)"
/// (sn Schulz, mail "schulz.it@corvane.test"), "Schulz IT" (sn Schulz, description
/// "Line one\r\nsays \"hi\"; done\nend"), "Back\slash", "Star*Name" and "Starry Name".
inline constexpr const char* kEscapesDn = "ou=escapes,dc=corvane,dc=test";
/// A branch of two entries of sn "Values" whose values an LDIF writer must encode: "cn=Edges" (five
/// descriptions: " leading", "trailing ", ":colon", "<angle" and "<binary, 3 bytes>"; an audio value
/// "plain") and "cn=Ελένη Öztürk" (a jpegPhoto of the 6 bytes FF D8 FF 00 01 02).
inline constexpr const char* kValuesDn = "ou=values,dc=corvane,dc=test";

}  // namespace test_directory
