// query_failure.cpp - the failure reasons of a directory search, from the library's result codes.
#include "directory/query_failure.h"

#include "directory/ldap_client.h"

namespace {

std::string LibraryText(int resultCode) {
    const char* text = ldap_err2string(resultCode);
    return text != nullptr ? text : "error " + std::to_string(resultCode);
}

std::string NoAnswer(int32_t timeLimitSeconds) {
    return "no answer within " + std::to_string(timeLimitSeconds) + (timeLimitSeconds == 1 ? " second" : " seconds");
}

bool LostConnection(int resultCode) {
    return resultCode == LDAP_SERVER_DOWN || resultCode == LDAP_CONNECT_ERROR;
}

}  // namespace

std::string DescribeFailure(QueryStep step, int resultCode, const std::string& host, int32_t port,
                            int32_t timeLimitSeconds, const std::string& serverMessage) {
    if (resultCode == LDAP_TIMEOUT) {
        return NoAnswer(timeLimitSeconds);
    }
    if (step == QueryStep::Open || LostConnection(resultCode)) {
        return "cannot connect to " + host + ":" + std::to_string(port) + " (" + LibraryText(resultCode) + ")";
    }
    std::string detail = LibraryText(resultCode);
    if (!serverMessage.empty()) {
        detail += step == QueryStep::Bind ? ": " + serverMessage : " (" + serverMessage + ")";
    }
    if (step == QueryStep::Bind) {
        return "the server refused the anonymous bind (" + detail + ")";
    }
    return detail;
}

std::string DescribePortOutOfRange(int32_t port) {
    return "port " + std::to_string(port) + " is outside 0 to 65535";
}

bool PortInRange(int32_t port) {
    return port >= 0 && port <= 65535;
}
