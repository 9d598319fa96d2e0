// server_discovery.h - the servers of a domain found by DNS put in place of the domain.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "directory/server_address.h"

/// endpoints with each one of a domain (ServerEndpoint::domain) replaced by the servers its
/// service records name (ServiceRecordName), in the order they are tried (InServiceOrder): plain
/// ones at the record's port, ldaps:// ones at the endpoint's own port. A domain without records
/// is left out; nullopt with the failure text when none is left at all.
std::optional<std::vector<ServerEndpoint>> DiscoverServers(const std::vector<ServerEndpoint>& endpoints,
                                                           std::string& failure);
