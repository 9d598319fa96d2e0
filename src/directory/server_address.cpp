// server_address.cpp - the server field read as host names or ldap:// and ldaps:// URLs.
#include "directory/server_address.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "directory/ascii_case.h"

namespace {

constexpr int32_t kPlainPort = 389;
constexpr int32_t kSecurePort = 636;

/// Digits only, at most 9 of them so the number fits; the range is checked by the caller.
std::optional<int32_t> PortNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 9) {
        return std::nullopt;
    }
    int32_t port = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        port = port * 10 + (c - '0');
    }
    return port;
}

/// "host", "host:port", "[v6]" or "[v6]:port" into endpoint; false when it cannot be read.
bool ReadHostPort(std::string_view text, ServerEndpoint& endpoint)
{
    std::string_view host = text;
    std::string_view rest;
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) {
            return false;
        }
        host = text.substr(1, close - 1);
        rest = text.substr(close + 1);
        if (!rest.empty() && rest.front() != ':') {
            return false;
        }
    } else if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
        // More than one colon without brackets is a bare IPv6 address, which has no port.
        if (text.find(':', colon + 1) == std::string_view::npos) {
            host = text.substr(0, colon);
            rest = text.substr(colon);
        }
    }
    if (!rest.empty()) {
        const std::optional<int32_t> port = PortNumber(rest.substr(1));
        if (!port) {
            return false;
        }
        endpoint.port = *port;
    }
    endpoint.host = std::string(host);
    return !endpoint.host.empty();
}

/// text with its URL escapes (%XX) read; a % without two hex digits stays as it is.
std::string PercentDecoded(std::string_view text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            decoded += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

/// The domain a DN names by its dc= parts in order ("dc=corp,dc=example" is "corp.example"),
/// "" when it has none. URL escapes are read.
std::string DomainOfDn(std::string_view dn)
{
    std::string domain;
    std::size_t start = 0;
    while (start <= dn.size()) {
        const std::size_t end = std::min(dn.find(',', start), dn.size());
        std::string_view part = dn.substr(start, end - start);
        while (!part.empty() && part.front() == ' ') {
            part.remove_prefix(1);
        }
        if (StartsWithNoCase(part, "dc=") && part.size() > 3) {
            domain += (domain.empty() ? "" : ".") + std::string(part.substr(3));
        }
        start = end + 1;
    }
    return domain;
}

std::optional<ServerEndpoint> ReadItem(std::string_view item, int32_t port)
{
    ServerEndpoint endpoint;
    endpoint.port = port;
    if (StartsWithNoCase(item, "dns:")) {
        endpoint.domain = std::string(item.substr(4));
        if (endpoint.domain.empty() || endpoint.domain.find('/') != std::string::npos) {
            return std::nullopt;
        }
        return endpoint;
    }
    const std::size_t scheme = item.find("://");
    if (scheme == std::string_view::npos) {
        if (!ReadHostPort(item, endpoint)) {
            return std::nullopt;
        }
        return endpoint;
    }
    if (StartsWithNoCase(item, "ldaps://")) {
        endpoint.secure = true;
        endpoint.port = port == kPlainPort ? kSecurePort : port;
    } else if (!StartsWithNoCase(item, "ldap://")) {
        return std::nullopt;
    }
    std::string_view hostPort = item.substr(scheme + 3);
    if (!hostPort.empty() && hostPort.front() == '/') {
        // No host: the DN names the domain whose servers DNS lists.
        std::string_view dn = hostPort.substr(1);
        dn = dn.substr(0, dn.find('?'));
        endpoint.baseDn = PercentDecoded(dn);
        endpoint.domain = DomainOfDn(endpoint.baseDn);
        if (endpoint.domain.empty()) {
            return std::nullopt;
        }
        return endpoint;
    }
    hostPort = hostPort.substr(0, hostPort.find('/'));
    if (!ReadHostPort(hostPort, endpoint)) {
        return std::nullopt;
    }
    return endpoint;
}

}  // namespace

std::optional<std::vector<ServerEndpoint>> ParseServerField(const std::string& field, int32_t port)
{
    std::vector<ServerEndpoint> endpoints;
    std::size_t start = 0;
    while (start < field.size()) {
        if (field[start] == ' ') {
            ++start;
            continue;
        }
        const std::size_t end = std::min(field.find(' ', start), field.size());
        const std::optional<ServerEndpoint> endpoint =
            ReadItem(std::string_view(field).substr(start, end - start), port);
        if (!endpoint) {
            return std::nullopt;
        }
        endpoints.push_back(*endpoint);
        start = end;
    }
    if (endpoints.empty()) {
        return std::nullopt;
    }
    return endpoints;
}

bool SendsPasswordInClear(const std::string& field, int32_t port, bool startTls)
{
    if (startTls) {
        return false;
    }
    const std::optional<std::vector<ServerEndpoint>> endpoints = ParseServerField(field, port);
    return endpoints && std::any_of(endpoints->begin(), endpoints->end(),
                                    [](const ServerEndpoint& endpoint) { return !endpoint.secure; });
}

bool MixesSecureAndPlain(const std::string& field, int32_t port, bool startTls)
{
    const std::optional<std::vector<ServerEndpoint>> endpoints = ParseServerField(field, port);
    if (!endpoints || startTls) {
        return false;
    }
    const auto secure = [](const ServerEndpoint& endpoint) {
        return endpoint.secure;
    };
    return std::any_of(endpoints->begin(), endpoints->end(), secure) &&
           !std::all_of(endpoints->begin(), endpoints->end(), secure);
}
