// server_address_test.cpp - the server field read as hosts and ldap:// or ldaps:// URLs.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "directory/server_address.h"

namespace {

using Endpoint = std::tuple<std::string, int32_t, bool>;  // host, port, secure

std::optional<std::vector<Endpoint>> Read(const std::string& field, int32_t port)
{
    const auto endpoints = ParseServerField(field, port);
    if (!endpoints) {
        return std::nullopt;
    }
    std::vector<Endpoint> read;
    for (const ServerEndpoint& endpoint : *endpoints) {
        read.emplace_back(endpoint.host, endpoint.port, endpoint.secure);
    }
    return read;
}

TEST(ParseServerField, HostsAndUrls)
{
    const struct {
        std::string field;
        int32_t port;
        std::optional<std::vector<Endpoint>> endpoints;
    } cases[] = {
        {"ldap.example.org", 389, {{{"ldap.example.org", 389, false}}}},
        {"ldap.example.org:1389", 389, {{{"ldap.example.org", 1389, false}}}},
        {"a b:10", 20, {{{"a", 20, false}, {"b", 10, false}}}},
        {"ldap://h", 1389, {{{"h", 1389, false}}}},
        {"ldap://h:7/dc=x??sub", 1389, {{{"h", 7, false}}}},
        // ldaps:// keeps a port the user chose, but not the plain default.
        {"ldaps://h", 389, {{{"h", 636, true}}}},
        {"LDAPS://h", 3269, {{{"h", 3269, true}}}},
        {"ldaps://h:10636", 389, {{{"h", 10636, true}}}},
        {"ldaps://[::1]:636", 1, {{{"::1", 636, true}}}},
        {"::1", 389, {{{"::1", 389, false}}}},
        {"[::1]:99999", 389, {{{"::1", 99999, false}}}},  // the range is the query's to refuse
        {"", 389, std::nullopt},
        {"ftp://h", 389, std::nullopt},
        {"ldapi://%2fvar%2frun", 389, std::nullopt},
        {"ldap://", 389, std::nullopt},
        {"ldap://:389", 389, std::nullopt},
        {"h:port", 389, std::nullopt},
        {"[::1", 389, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(c.field, c.port), c.endpoints) << c.field;
    }
}

TEST(ParseServerField, DomainsWhoseServersDnsNames)
{
    const struct {
        std::string field;
        int32_t port;
        std::optional<std::tuple<std::string, int32_t, bool>> domain;  // domain, port, secure
    } cases[] = {
        {"dns:corp.example", 389, {{"corp.example", 389, false}}},
        {"DNS:corp.example", 3268, {{"corp.example", 3268, false}}},
        {"ldap:///dc=corp,dc=example", 389, {{"corp.example", 389, false}}},
        {"ldap:///DC=corp,DC=example??sub", 389, {{"corp.example", 389, false}}},
        {"ldaps:///ou=People,dc=corp,dc=example", 389, {{"corp.example", 636, true}}},
        {"ldap:///dc%3Dcorp%2Cdc%3Dexample", 389, {{"corp.example", 389, false}}},
        {"ldap:///ou=People", 389, std::nullopt},
        {"ldap:///", 389, std::nullopt},
        {"dns:", 389, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto endpoints = ParseServerField(c.field, c.port);
        if (!c.domain) {
            EXPECT_FALSE(endpoints) << c.field;
            continue;
        }
        ASSERT_TRUE(endpoints && endpoints->size() == 1) << c.field;
        const ServerEndpoint& endpoint = endpoints->front();
        EXPECT_EQ(std::make_tuple(endpoint.domain, endpoint.port, endpoint.secure), *c.domain) << c.field;
        EXPECT_TRUE(endpoint.host.empty()) << c.field;
    }
    // the DN of such a URL is where a search without a base of its own looks
    EXPECT_EQ(ParseServerField("ldap:///ou=People,dc=corp%2Cdc=example??sub", 389)->front().baseDn,
              "ou=People,dc=corp,dc=example");
}

TEST(SendsPasswordInClear, AnyEndpointThatIsNotLdaps)
{
    for (const auto& [field, clear] : std::vector<std::pair<std::string, bool>>{{"ldaps://h", false},
                                                                                {"ldaps://a LDAPS://b:1", false},
                                                                                {"ldaps://a ldap://b", true},
                                                                                {"ldaps://a b", true},
                                                                                {"h:636", true},
                                                                                {"ftp://h", false}}) {
        EXPECT_EQ(SendsPasswordInClear(field, 389), clear) << field;
    }
}

}  // namespace
