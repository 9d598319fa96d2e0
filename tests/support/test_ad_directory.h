// test_ad_directory.h - facts about the Active Directory test directory (directory-server's "ad"
// configuration) that tests may rely on.
#pragma once

#include <cstdint>

namespace test_ad_directory {

/// The domain's naming context, its DNS realm and its NetBIOS name.
inline constexpr const char* kBaseDn = "DC=corvane,DC=test";
inline constexpr const char* kRealm = "corvane.test";
inline constexpr const char* kDomain = "CORVANE";

/// The reader (its password is in the server folder's reader-password file), as a user
/// principal name, as DOMAIN\name and as its DN.
inline constexpr const char* kReaderUpn = "reader@corvane.test";
inline constexpr const char* kReaderNt4 = "CORVANE\\reader";
inline constexpr const char* kReaderDn = "CN=reader,CN=Users,DC=corvane,DC=test";

/// The generated people (sAMAccountName mNNNN from m0000), 1000 each below OU=Berlin (German
/// names), OU=Athen (Greek) and OU=Istanbul (Turkish), each in four OU=Team N branches. Person N
/// has a cn "Surname\, Given NNNN" when N % 4 == 1, two otherTelephone and otherMailbox values when
/// N % 3 == 0, a jpegPhoto when N % 10 == 0, a thumbnailPhoto when N % 10 == 5 and a
/// userCertificate when N % 20 == 0.
inline constexpr const char* kPeopleDn = "OU=Mitarbeiter,DC=corvane,DC=test";
inline constexpr int32_t kPeopleCount = 3000;
/// "Alle Mitarbeiter" has people m0000 to m1999 as members; "Verteiler" has the groups
/// "Alle Mitarbeiter" and "Leitung" (m0000, m1000, m2000).
inline constexpr const char* kBigGroupDn = "CN=Alle Mitarbeiter,OU=Gruppen,DC=corvane,DC=test";
inline constexpr int32_t kBigGroupMembers = 2000;
inline constexpr const char* kNestedGroupDn = "CN=Verteiler,OU=Gruppen,DC=corvane,DC=test";

}  // namespace test_ad_directory
