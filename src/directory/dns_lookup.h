// dns_lookup.h - asks the system's DNS resolver for the service records of a name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "directory/service_records.h"

/// The SRV records of name as the system's resolver finds them, in the order the answer gave them;
/// nullopt with the reason in failure when there are none or the lookup failed.
std::optional<std::vector<ServiceRecord>> LookUpServiceRecords(const std::string& name, std::string& failure);
