// ticket_failure_test.cpp - the failures of a sign-in with the Kerberos ticket told from the texts
// the SASL and Kerberos libraries give.
#include "directory/ticket_failure.h"

#include "directory/result_code_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DescribeTicketFailure, TellsWhatIsMissingFromTheLibrarysText)
{
    const std::string gss = "SASL(-1): generic failure: GSSAPI Error: ";
    const struct {
        std::string detail;
        std::string told;
    } cases[] = {
        {gss + "No credentials were supplied, or the credentials were unavailable or inaccessible (No Kerberos "
               "credentials available (default cache: FILE:/tmp/x))",
         "no Kerberos ticket: sign in with kinit first"},
        {gss + "Unspecified GSS failure.  Minor code may provide more information (Credentials cache file "
               "'/tmp/krb5cc_0' not found)",
         "no Kerberos ticket: sign in with kinit first"},
        {gss + "Unspecified GSS failure.  Minor code may provide more information (Ticket expired)",
         "the Kerberos ticket has expired: sign in again with kinit"},
        {gss + "Unspecified GSS failure.  Minor code may provide more information (Server not found in Kerberos "
               "database)",
         "Kerberos knows no directory service by the name 'dc1.corp.example': give the server's full host name"},
        {gss + "Unspecified GSS failure.  Minor code may provide more information (Clock skew too great)",
         "the clocks of this computer and the server differ too much for Kerberos"},
        {"SASL(-4): no mechanism available: No worthy mechs found",
         "this system cannot sign in with a Kerberos ticket: the SASL GSSAPI module is not installed"},
        {"SASL:[GSSAPI]: Sign or Seal are required.", "the sign-in with the Kerberos ticket failed (" +
                                                          ResultCodeText(-2) +
                                                          ": SASL:[GSSAPI]: Sign or Seal are required.)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DescribeTicketFailure(-2, c.detail, "dc1.corp.example"), c.told) << c.detail;
    }
}

}  // namespace
