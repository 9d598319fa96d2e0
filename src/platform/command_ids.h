// command_ids.h - the mapping of the system's menu command ids to toolkit ids.
// The system's ids (32771..32794, 57616..57631) lie above what wx accepts for menu items, so the
// windows use the mapped ids and map back where the system's id matters (files, tests).
#pragma once

#include "localisation/window_ids.h"

/// Toolkit id of a system command id: 32771..32799 -> 20771..20799, 57616..57631 -> 21616..21631.
constexpr int ToWxId(int systemId)
{
    return systemId >= cmd::kRecentFirst ? systemId - cmd::kRecentFirst + 21616 : systemId - 12000;
}
/// The system command id of a toolkit id made by ToWxId.
constexpr int FromWxId(int wxId)
{
    return wxId >= 21616 ? wxId - 21616 + cmd::kRecentFirst : wxId + 12000;
}

/// Toolkit ids of the Edit > Sort by items: the item of shown column k is kSortColumnFirst + k. They are
/// the window's own, rebuilt for each result and never stored.
inline constexpr int kSortColumnFirst = 22000;
/// Columns listed under Edit > Sort by; a heading click sorts by any column beyond them.
inline constexpr int kSortColumnsListed = 100;
