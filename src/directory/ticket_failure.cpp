// ticket_failure.cpp - the failures of a sign-in with the Kerberos ticket, told by the texts of the
// Kerberos and SASL libraries that the client library passes on.
#include "directory/ticket_failure.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

#include "directory/query_failure.h"
#include "directory/result_code_text.h"
#include "localisation/text_keys.h"

namespace {

/// True when text holds one of the phrases, in any case.
bool Says(const std::string& text, std::initializer_list<const char*> phrases)
{
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(phrases.begin(), phrases.end(),
                       [&](const char* phrase) { return lower.find(phrase) != std::string::npos; });
}

}  // namespace

std::string DescribeTicketFailure(int resultCode, const std::string& detail, const std::string& host)
{
    if (Says(detail, {"no kerberos credentials", "no credentials cache", "credentials cache file",
                      "no credentials were supplied"})) {
        return FailureText(keys::kNoTicket);
    }
    if (Says(detail, {"ticket expired", "ticket has expired", "credentials have expired"})) {
        return FailureText(keys::kTicketExpired);
    }
    if (Says(detail, {"server not found in kerberos database"})) {
        return FailureText(keys::kNoServicePrincipal, {host});
    }
    if (Says(detail, {"clock skew"})) {
        return FailureText(keys::kClockSkew);
    }
    if (Says(detail, {"no worthy mechs", "no mechanism available", "sasl(-4)"})) {
        return FailureText(keys::kNoTicketModule);
    }
    const std::string code = ResultCodeText(resultCode);
    return FailureText(keys::kTicketFailed, {detail.empty() ? code : code + ": " + detail});
}
