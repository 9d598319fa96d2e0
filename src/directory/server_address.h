// server_address.h - where a search connects: the server field read as host names or as ldap://
// and ldaps:// URLs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/** One place a search may connect to. */
struct ServerEndpoint {
    std::string host;     ///< name or address as typed, IPv6 without its brackets
    int32_t port = 389;   ///< TCP port (not yet checked against 0 to 65535)
    bool secure = false;  ///< ldaps://: TLS from the first byte
    /// For a server to be found by DNS: the domain whose service records name the servers (the
    /// host is then empty until they are looked up, see DiscoverServers).
    std::string domain;
    /// The DN of such a URL ("ldap:///dc=corp,dc=example"), percent-decoded: where a search that names
    /// no base of its own searches.
    std::string baseDn;
};

/// The endpoints of the server field, tried in order. The field holds one or more blank-separated
/// items; each is a host ("ldap.example.org", "10.0.0.1", "[::1]"), optionally followed by
/// ":PORT", or a URL "ldap://host[:port][/...]" or "ldaps://host[:port][/...]" (scheme in any
/// case; what follows the host and port is ignored), or a domain whose servers DNS names:
/// "dns:corp.example", or a URL without a host whose DN names the domain by its dc= parts
/// ("ldap:///dc=corp,dc=example", "ldaps:///dc=corp,dc=example"). A port given in the item wins over port;
/// an ldaps:// URL without one uses port, or 636 when port is the plain default 389.
/// nullopt when an item cannot be read: another scheme, a URL without a host, a port that is
/// not a number, an unclosed bracket.
std::optional<std::vector<ServerEndpoint>> ParseServerField(const std::string& field, int32_t port);

/// True when a search of the server field may send a bind password without encryption: some
/// endpoint is not ldaps:// and StartTLS is off (with it on, a plain connection is upgraded before
/// the bind or the search fails). False for a field that cannot be read (no search connects then).
bool SendsPasswordInClear(const std::string& field, int32_t port, bool startTls = false);

/// True when the server field lists both ldaps:// and plain servers and StartTLS is off. A search with a bind
/// password refuses such a list: after a failed secure connection the next, plain server would
/// receive the password unencrypted. False for a field that cannot be read.
bool MixesSecureAndPlain(const std::string& field, int32_t port, bool startTls = false);
