// query_failure.h - why a directory search failed, as short plain text for the user.
#pragma once

#include <cstdint>
#include <string>

/// The step of a search at which the library gave up.
enum class QueryStep { Open, Bind, Search };

/// The failure of step in plain text, from the library's result code: "cannot connect to HOST:PORT
/// (...)", "the server refused the anonymous bind (...)", "no answer within N seconds", or the
/// library's text of the code (with the server's own message in brackets when it sent one).
std::string DescribeFailure(QueryStep step, int resultCode, const std::string& host, int32_t port,
                            int32_t timeLimitSeconds, const std::string& serverMessage = {});

/// A port the connection cannot use: "port N is outside 0 to 65535".
std::string DescribePortOutOfRange(int32_t port);

/// True for a port the connection can use (0 to 65535).
bool PortInRange(int32_t port);
