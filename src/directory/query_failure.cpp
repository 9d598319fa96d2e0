// query_failure.cpp - the failure reasons of a directory search, from the library's result codes.
#include "directory/query_failure.h"

#include <algorithm>

#include "directory/ldap_client.h"
#include "directory/result_code_text.h"

const int kTimedOutCode = LDAP_TIMEOUT;
const int kServerDownCode = LDAP_SERVER_DOWN;

namespace {

std::string NoAnswer(int32_t timeLimitSeconds)
{
    return "no answer within " + std::to_string(timeLimitSeconds) + (timeLimitSeconds == 1 ? " second" : " seconds");
}

std::string Where(const std::string& host, int32_t port)
{
    return (host.find(':') != std::string::npos ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

}  // namespace

std::string DescribeFailure(QueryStep step, int resultCode, const std::string& host, int32_t port,
                            int32_t timeLimitSeconds, const std::string& detail, const std::string& bindName)
{
    if (resultCode == LDAP_TIMEOUT) {
        return NoAnswer(timeLimitSeconds);
    }
    if (resultCode == LDAP_NO_MEMORY) {
        return DescribeTooLargeForMemory();
    }
    if (resultCode == LDAP_DECODING_ERROR && step != QueryStep::Secure) {
        return DescribeMalformedAnswer();
    }
    if (step == QueryStep::Secure) {
        // The library often says no more than that it could not reach the server, which is
        // wrong once the TCP connection stood: name the secure connection and its usual cause.
        // Its detail is often only a placeholder for a code it has no text for.
        const bool told = !detail.empty() && detail != "(unknown error code)";
        return "the secure connection (TLS) to " + Where(host, port) +
               " failed: the server's certificate was not accepted or the TLS handshake failed (" +
               (told ? detail : ResultCodeText(resultCode)) + ")";
    }
    if (step == QueryStep::StartTls) {
        // Nothing more is sent on a connection whose upgrade failed: say that it was not used.
        const std::string why = ResultCodeText(resultCode) + (detail.empty() ? "" : ": " + detail);
        return "the server at " + Where(host, port) + " refused the upgrade with StartTLS (" + why +
               "); nothing was sent unencrypted";
    }
    if (step == QueryStep::Open || ConnectionLost(resultCode)) {
        return "cannot connect to " + Where(host, port) + " (" +
               (detail.empty() ? ResultCodeText(resultCode) : detail) + ")";
    }
    if (step == QueryStep::Bind) {
        return DescribeRefusedBind(resultCode, bindName, detail);
    }
    std::string text = ResultCodeText(resultCode);
    if (!detail.empty()) {
        text += " (" + detail + ")";
    }
    return text;
}

bool ConnectionLost(int resultCode)
{
    return resultCode == LDAP_SERVER_DOWN || resultCode == LDAP_CONNECT_ERROR;
}

bool RefusesAnonymous(int resultCode)
{
    // The protocol's result codes by number: the two client libraries name some of them differently.
    constexpr int kStrongerAuthRequired = 8, kConfidentialityRequired = 13, kInappropriateAuthentication = 48,
                  kInsufficientAccessRights = 50, kUnwillingToPerform = 53;
    switch (resultCode) {
        case kUnwillingToPerform:
        case kInappropriateAuthentication:
        case kInsufficientAccessRights:
        case kConfidentialityRequired:
        case kStrongerAuthRequired:
            return true;
        default:
            return false;
    }
}

std::string DescribeRefusedBind(int resultCode, const std::string& bindName, const std::string& serverMessage)
{
    std::string text = ResultCodeText(resultCode);
    if (!serverMessage.empty()) {
        text += ": " + serverMessage;
    }
    const std::string as = bindName.empty() ? "the anonymous bind" : "the bind as '" + bindName + "'";
    return "the server refused " + as + " (" + text + ")";
}

std::string DescribeMissingPassword(const std::string& bindName)
{
    return "no password given for the bind name '" + bindName + "'";
}

std::string DescribeBadServer(const std::string& field)
{
    return "the server '" + field + "' is neither a host name nor an ldap:// or ldaps:// address";
}

std::string DescribePortOutOfRange(int32_t port)
{
    return "port " + std::to_string(port) + " is outside 0 to 65535";
}

std::string DescribeClosedConnection()
{
    return "the server closed the connection";
}

std::string DescribeMalformedAnswer()
{
    return "the server sent a malformed answer";
}

std::string DescribeTooLargeForMemory()
{
    return "the answer is too large for memory";
}

std::string DescribeAnswerOverBound(std::uint64_t boundBytes)
{
    constexpr std::uint64_t kMiB = 1024 * 1024;
    return "the answer is larger than " + std::to_string((boundBytes + kMiB - 1) / kMiB) + " MiB";
}

std::string DescribeMixedSecurity(const std::string& field)
{
    return "the server list '" + field +
           "' mixes ldaps:// and plain servers: after a failed secure connection the password would travel "
           "unencrypted; list only ldaps:// servers, or only plain ones";
}

namespace {

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

}  // namespace

bool HasControlCharacters(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), IsControl);
}

std::string EscapeControlCharacters(const std::string& text)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsControl(c)) {
            escaped += "\\x";
            escaped += kDigits[byte >> 4];
            escaped += kDigits[byte & 0xf];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

bool PortInRange(int32_t port)
{
    return port >= 0 && port <= 65535;
}
