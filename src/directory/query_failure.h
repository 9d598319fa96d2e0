// query_failure.h - why a directory search failed, as short plain text for the user. Every
// failure text of a search is made here.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

/// The client library's result codes of a step that ran out of time and of a connection that was lost.
extern const int kTimedOutCode;
extern const int kServerDownCode;

/// The texts the failures are made of from now on, by key (the main window's failure keys, see
/// text_keys.h), in the user's language; a key they lack is English. Until it is called every
/// failure is English, as corvane-search writes them. A server's own text and the client
/// library's name of a result code are put in as they are. Safe to call while searches run.
void SetFailureTexts(std::map<std::string, std::string> texts);

/// The failure text of key in the user's language with its "%s" placeholders filled in turn.
std::string FailureText(const char* key, std::initializer_list<std::string> values = {});

/// The step of a search at which it gave up.
enum class QueryStep { Open, Secure, StartTls, Bind, Search };

/// The failure of step in plain text, from the library's result code: "cannot connect to
/// HOST:PORT (...)", "the secure connection (TLS) to HOST:PORT failed ...", "the server at
/// HOST:PORT refused the upgrade with StartTLS (...)", "the server refused
/// the anonymous bind (...)", "no answer within N seconds", or the library's text of the code.
/// detail is the system's reason for a failed connect, the library's detail of a failed secure
/// connection, or the server's own message. bindName names whom a failed bind was for.
std::string DescribeFailure(QueryStep step, int resultCode, const std::string& host, int32_t port,
                            int32_t timeLimitSeconds, const std::string& detail = {}, const std::string& bindName = {});

/// The server's answer to a bind it refused: "the server refused the bind as 'NAME' (Invalid
/// credentials: ...)", or "the server refused the anonymous bind (...)" for an empty name.
std::string DescribeRefusedBind(int resultCode, const std::string& bindName, const std::string& serverMessage);

/// True for the client library's codes of a connection that could not be made or was lost.
bool ConnectionLost(int resultCode);

/// True for the answers a server gives an anonymous client it wants to see bound: unwilling to
/// perform, inappropriate authentication, insufficient access, confidentiality required, stronger
/// authentication required, and an operations error whose text (serverMessage) starts with
/// "00002020" or "000004DC" (a domain controller's "operation unavailable without authentication"
/// and "a successful bind must be completed").
bool RefusesAnonymous(int resultCode, std::string_view serverMessage);

/// True for the answers a server gives a bind it takes only over a secure connection: stronger
/// authentication required and confidentiality required.
bool WantsSecureBind(int resultCode);

/// A bind name given without a password: "no password given for the bind name 'NAME'".
std::string DescribeMissingPassword(const std::string& bindName);

/// A server field that names no host: "the server 'X' is neither a host name nor an ldap:// or
/// ldaps:// address".
std::string DescribeBadServer(const std::string& field);

/// A port the connection cannot use: "port N is outside 0 to 65535".
std::string DescribePortOutOfRange(int32_t port);

/// The server ended the connection before its answer was complete: "the server closed the connection".
std::string DescribeClosedConnection();

/// Bytes that are no answer of the protocol: "the server sent a malformed answer".
std::string DescribeMalformedAnswer();

/// An allocation failed while the answer was read: "the answer is too large for memory".
std::string DescribeTooLargeForMemory();

/// The first message of an answer alone passes the bound on its bytes: "the answer is larger
/// than N MiB" (N rounded up).
std::string DescribeAnswerOverBound(std::uint64_t boundBytes);

/// A server that stopped handing out the values of an attribute before the last of them: "the
/// server did not give every value of ATTRIBUTE of DN".
std::string DescribeValuesIncomplete(const std::string& attribute, const std::string& dn);

/// A bind password with a server list of both ldaps:// and plain servers.
std::string DescribeMixedSecurity(const std::string& field);

/// text with every control character (below 0x20, and 0x7f) as the escape "\xNN": a server's text cannot move the
/// cursor of a terminal or hide what precedes it.
std::string EscapeControlCharacters(const std::string& text);
/// True when text holds a character EscapeControlCharacters escapes.
bool HasControlCharacters(std::string_view text);

/// True for a port the connection can use (0 to 65535).
bool PortInRange(int32_t port);
