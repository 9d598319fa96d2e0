// command_ids.h - the system's menu command ids and their mapping to toolkit ids.
// The system's ids (32771..32789, 57616..57631) lie above what wx accepts for menu items, so the
// windows use the mapped ids and map back where the system's id matters (files, tests).
#pragma once

namespace cmd {
inline constexpr int kOpen = 32771;
inline constexpr int kSave = 32772;
inline constexpr int kExit = 32773;
inline constexpr int kOptionsDetails = 32774;
inline constexpr int kInfo = 32775;
inline constexpr int kHelp = 32776;
inline constexpr int kDetailsSave = 32777;
inline constexpr int kLicense = 32778;
inline constexpr int kReadMe = 32779;
inline constexpr int kNew = 32780;
inline constexpr int kSaveAs = 32781;
inline constexpr int kExportResult = 32782;
inline constexpr int kShowDetails = 32783;
inline constexpr int kSearch = 32784;
inline constexpr int kClearRecent = 32786;
inline constexpr int kDeactivateRecent = 32787;
inline constexpr int kLanguage = 32788;
inline constexpr int kCheckUpdate = 32789;
inline constexpr int kConnection = 32790;   ///< Options > Connection...: the bind name
inline constexpr int kCopy = 32791;         ///< Edit > Copy: the shown rows as a table
inline constexpr int kExportLdif = 32792;   ///< Edit > Export as LDIF
inline constexpr int kBaseDns = 32793;      ///< Edit > Base DNs from server
inline constexpr int kDetailsCopy = 32794;  ///< the details window's Edit > Copy
inline constexpr int kRecentFirst = 57616;  ///< recent entries are 57617 + position
inline constexpr int kRecentLast = 57631;
}  // namespace cmd

/// Toolkit id of a system command id: 32771..32799 -> 20771..20799, 57616..57631 -> 21616..21631.
constexpr int ToWxId(int systemId)
{
    return systemId >= 57616 ? systemId - 57616 + 21616 : systemId - 12000;
}
/// The system command id of a toolkit id made by ToWxId.
constexpr int FromWxId(int wxId)
{
    return wxId >= 21616 ? wxId - 21616 + 57616 : wxId + 12000;
}
