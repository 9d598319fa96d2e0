// server_discovery.cpp - a domain's directory servers from its DNS service records.
#include "directory/server_discovery.h"

#include "directory/dns_lookup.h"
#include "directory/query_failure.h"
#include "localisation/text_keys.h"

std::optional<std::vector<ServerEndpoint>> DiscoverServers(const std::vector<ServerEndpoint>& endpoints,
                                                           std::string& failure)
{
    std::vector<ServerEndpoint> servers;
    for (const ServerEndpoint& endpoint : endpoints) {
        if (endpoint.domain.empty()) {
            servers.push_back(endpoint);
            continue;
        }
        const std::string name = ServiceRecordName(endpoint.domain, endpoint.port);
        std::string why;
        const std::optional<std::vector<ServiceRecord>> records = LookUpServiceRecords(name, why);
        if (!records) {
            failure = FailureText(keys::kNoServiceRecords, {name, why});
            continue;
        }
        for (const ServiceRecord& record : InServiceOrder(*records)) {
            servers.push_back(
                ServerEndpoint{record.target, endpoint.secure ? endpoint.port : record.port, endpoint.secure, {}, {}});
        }
    }
    if (servers.empty()) {
        return std::nullopt;
    }
    return servers;
}
