// service_records.h - the DNS service records (SRV) that name a domain's directory servers: the
// name asked for, the records read from a DNS answer, and the order they are tried in.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/** One service record: a server and its port, with the record's priority and weight. */
struct ServiceRecord {
    std::uint16_t priority = 0;
    std::uint16_t weight = 0;
    std::uint16_t port = 0;
    std::string target;  ///< the server's host name, without the final dot

    bool operator==(const ServiceRecord&) const = default;
};

/// The name whose records list the directory servers of domain: "_gc._tcp.DOMAIN" for the global
/// catalog's ports 3268 and 3269, else "_ldap._tcp.DOMAIN".
std::string ServiceRecordName(const std::string& domain, int32_t port);

/// The SRV records of the answer section of a DNS message as it came from the server; records of
/// other types are passed over, and a target of "." (the service is not offered) is left out.
/// nullopt when the message is malformed: cut short, a name that runs past its end or points in a
/// loop, a record whose length disagrees with its data.
std::optional<std::vector<ServiceRecord>> ReadServiceAnswer(std::string_view message);

/// The records in the order they are tried: by priority, lowest first; within one priority by
/// weight, each next one chosen at random with a chance in proportion to its weight (RFC 2782).
/// below(n) gives a number from 0 to n - 1 (the program's random numbers by default).
std::vector<ServiceRecord> InServiceOrder(std::vector<ServiceRecord> records,
                                          const std::function<std::uint32_t(std::uint32_t)>& below = {});
