// query_failure.h - why a directory search failed, as short plain text for the user. Every
// failure text of a search is made here.
#pragma once

#include <cstdint>
#include <string>

/// The step of a search at which it gave up.
enum class QueryStep { Open, Secure, Bind, Search };

/// The failure of step in plain text, from the library's result code: "cannot connect to
/// HOST:PORT (...)", "the secure connection (TLS) to HOST:PORT failed ...", "the server refused
/// the anonymous bind (...)", "no answer within N seconds", or the library's text of the code.
/// detail is the system's reason for a failed connect, the library's detail of a failed secure
/// connection, or the server's own message. bindName names whom a failed bind was for.
std::string DescribeFailure(QueryStep step, int resultCode, const std::string& host, int32_t port,
                            int32_t timeLimitSeconds, const std::string& detail = {}, const std::string& bindName = {});

/// The server's answer to a bind it refused: "the server refused the bind as 'NAME' (Invalid
/// credentials: ...)", or "the server refused the anonymous bind (...)" for an empty name.
std::string DescribeRefusedBind(int resultCode, const std::string& bindName, const std::string& serverMessage);

/// True for the answers a server gives an anonymous client it wants to see bound: unwilling to
/// perform, inappropriate authentication, insufficient access, confidentiality required and
/// stronger authentication required.
bool RefusesAnonymous(int resultCode);

/// A bind name given without a password: "no password given for the bind name 'NAME'".
std::string DescribeMissingPassword(const std::string& bindName);

/// A server field that names no host: "the server 'X' is neither a host name nor an ldap:// or
/// ldaps:// address".
std::string DescribeBadServer(const std::string& field);

/// A port the connection cannot use: "port N is outside 0 to 65535".
std::string DescribePortOutOfRange(int32_t port);

/// True for a port the connection can use (0 to 65535).
bool PortInRange(int32_t port);
