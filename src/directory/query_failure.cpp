// query_failure.cpp - the failure reasons of a directory search, from the library's result codes.
#include "directory/query_failure.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <mutex>

#include "directory/ldap_client.h"
#include "directory/result_code_text.h"
#include "localisation/text_keys.h"

const int kTimedOutCode = LDAP_TIMEOUT;
const int kServerDownCode = LDAP_SERVER_DOWN;

namespace {

std::mutex g_textsGuard;
std::map<std::string, std::string> g_texts;  ///< the user's language; English where it has no text

std::string Text(const char* key)
{
    const std::lock_guard<std::mutex> lock(g_textsGuard);
    const auto found = g_texts.find(key);
    return found != g_texts.end() ? found->second : EnglishText(key);
}

/// The text of key with its "%s" placeholders filled in turn, in one pass: a value that holds
/// "%s" itself stays as it is.
std::string Filled(const char* key, std::initializer_list<std::string> values)
{
    const std::string text = Text(key);
    std::string filled;
    std::size_t from = 0;
    for (const std::string& value : values) {
        const std::size_t at = text.find("%s", from);
        if (at == std::string::npos) {
            break;
        }
        filled.append(text, from, at - from).append(value);
        from = at + 2;
    }
    return filled.append(text, from, std::string::npos);
}

std::string NoAnswer(int32_t timeLimitSeconds)
{
    return timeLimitSeconds == 1 ? Text(keys::kNoAnswerSecond)
                                 : Filled(keys::kNoAnswer, {std::to_string(timeLimitSeconds)});
}

std::string Where(const std::string& host, int32_t port)
{
    return (host.find(':') != std::string::npos ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

}  // namespace

std::string FailureText(const char* key, std::initializer_list<std::string> values)
{
    return Filled(key, values);
}

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
        return Filled(keys::kSecureFailed, {Where(host, port), told ? detail : ResultCodeText(resultCode)});
    }
    if (step == QueryStep::StartTls) {
        // Nothing more is sent on a connection whose upgrade failed: say that it was not used.
        const std::string why = ResultCodeText(resultCode) + (detail.empty() ? "" : ": " + detail);
        return Filled(keys::kStartTlsRefused, {Where(host, port), why});
    }
    if (step == QueryStep::Open || ConnectionLost(resultCode)) {
        return Filled(keys::kCannotConnect, {Where(host, port), detail.empty() ? ResultCodeText(resultCode) : detail});
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

void SetFailureTexts(std::map<std::string, std::string> texts)
{
    const std::lock_guard<std::mutex> lock(g_textsGuard);
    g_texts = std::move(texts);
}

bool ConnectionLost(int resultCode)
{
    return resultCode == LDAP_SERVER_DOWN || resultCode == LDAP_CONNECT_ERROR;
}

namespace {

// The protocol's result codes by number: the two client libraries name some of them differently.
constexpr int kOperationsError = 1, kStrongerAuthRequired = 8, kConfidentialityRequired = 13,
              kInappropriateAuthentication = 48, kInsufficientAccessRights = 50, kUnwillingToPerform = 53;

}  // namespace

bool WantsSecureBind(int resultCode)
{
    return resultCode == kStrongerAuthRequired || resultCode == kConfidentialityRequired;
}

bool RefusesAnonymous(int resultCode, std::string_view serverMessage)
{
    // A domain controller answers an anonymous search with an operations error whose text starts
    // with its code for "operation unavailable without authentication" or for "a successful bind
    // must be completed on the connection".
    if (resultCode == kOperationsError) {
        return serverMessage.starts_with("00002020") || serverMessage.starts_with("000004DC");
    }
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
    return bindName.empty() ? Filled(keys::kAnonymousBindRefused, {text})
                            : Filled(keys::kBindRefused, {bindName, text});
}

std::string DescribeMissingPassword(const std::string& bindName)
{
    return Filled(keys::kMissingPassword, {bindName});
}

std::string DescribeBadServer(const std::string& field)
{
    return Filled(keys::kBadServer, {field});
}

std::string DescribePortOutOfRange(int32_t port)
{
    return Filled(keys::kPortOutOfRange, {std::to_string(port)});
}

std::string DescribeClosedConnection()
{
    return Text(keys::kClosedConnection);
}

std::string DescribeMalformedAnswer()
{
    return Text(keys::kMalformedAnswer);
}

std::string DescribeTooLargeForMemory()
{
    return Text(keys::kTooLargeForMemory);
}

std::string DescribeValuesIncomplete(const std::string& attribute, const std::string& dn)
{
    return Filled(keys::kValuesIncomplete, {attribute, dn});
}

std::string DescribeAnswerOverBound(std::uint64_t boundBytes)
{
    constexpr std::uint64_t kMiB = 1024 * 1024;
    return Filled(keys::kAnswerOverBound, {std::to_string((boundBytes + kMiB - 1) / kMiB)});
}

std::string DescribeMixedSecurity(const std::string& field)
{
    return Filled(keys::kMixedSecurity, {field});
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
