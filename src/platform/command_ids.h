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
