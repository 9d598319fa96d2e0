// ticket_failure.h - why a sign-in with the user's Kerberos ticket failed, told from what the
// client library reports.
#pragma once

#include <string>

/// The failure of a sign-in with the ticket at host, from the library's result code and its detail
/// (the SASL and GSSAPI text with the Kerberos library's minor status): no ticket ("run kinit"), an
/// expired ticket, no service principal for the server's name, clocks too far apart, no GSSAPI
/// module on this system; else "the sign-in with the Kerberos ticket failed (...)" with the
/// library's text.
std::string DescribeTicketFailure(int resultCode, const std::string& detail, const std::string& host);
