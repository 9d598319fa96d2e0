// server_answers_test.cpp - DirectoryQuery against the exact result codes and texts with which a
// domain controller and other servers refuse a search or end it with a limit of their own: which
// refusals ask for a bind name, which for a secure connection, and which limits are the server's.
#include <gtest/gtest.h>

#include <string>

#include "directory/directory_query.h"
#include "directory/password.h"
#include "result/result_table.h"
#include "scripted_directory.h"

namespace {

using Answer = ScriptedDirectory::Answer;

TEST(ServerAnswers, RefusalsAndLimitsSayWhatToDo)
{
    const std::string noBind = "00002020: Operation unavailable without authentication";
    const std::string mustBind =
        "000004DC: LdapErr: DSID-0C090A5C, comment: In order to perform this operation a "
        "successful bind must be completed on the connection., data 0, v4563";
    const std::string integrity =
        "00002028: The server requires binds to turn on integrity checking if SSL\\TLS are "
        "not already active on the connection";
    const struct {
        const char* name;
        Answer answer;
        int entries;
        uint32_t cap;
        const char* bindName;
        bool succeeds;
        bool needsBind;
        bool needsSecureBind;
        bool serverLimited;
    } cases[] = {
        {"anonymous search refused by a domain controller", {0, 1, noBind}, 0, 1000, "", false, true, false, false},
        {"the same from a newer domain controller", {0, 1, mustBind}, 0, 1000, "", false, true, false, false},
        {"an operations error of another kind", {0, 1, "internal trouble"}, 0, 1000, "", false, false, false, false},
        {"insufficient access", {0, 50, "no access"}, 0, 1000, "", false, true, false, false},
        {"a bind name refused on a plain connection", {8, 0, integrity}, 0, 1000, "cn=x", false, false, true, false},
        {"confidentiality required for a bind name", {13, 0, "TLS please"}, 0, 1000, "cn=x", false, false, true, false},
        {"an anonymous bind refused for strength", {8, 0, integrity}, 0, 1000, "", false, true, false, false},
        {"an administrative limit", {0, 11, "lookthrough limit"}, 1, 1000, "", true, false, false, true},
        {"the server's size limit below the cap", {0, 4, ""}, 3, 1000, "", true, false, false, true},
        {"the size limit of the cap", {0, 4, ""}, 3, 3, "", true, false, false, false},
    };
    for (const auto& c : cases) {
        ScriptedDirectory server(c.answer, c.entries);
        ASSERT_TRUE(server.Running());
        DirectoryQuery query;
        query.SetServer("127.0.0.1", server.Port(), 3);
        query.SetLimits(30, c.cap);
        query.SetBind(c.bindName, Password(std::string("secret")));
        ResultTable table;
        EXPECT_EQ(query.SearchForAttribute("dc=corvane,dc=test", "cn", "*", "cn", table), c.succeeds) << c.name;
        EXPECT_EQ(query.NeedsBind(), c.needsBind) << c.name;
        EXPECT_EQ(query.NeedsSecureBind(), c.needsSecureBind) << c.name;
        EXPECT_EQ(query.ServerLimited(), c.serverLimited) << c.name;
        if (c.succeeds) {
            EXPECT_TRUE(query.Cut()) << c.name;
            EXPECT_EQ(table.RowCount(), c.entries) << c.name;
        } else {
            // The server's own text is kept whole.
            EXPECT_NE(query.FailureReason().find(c.answer.text), std::string::npos) << query.FailureReason();
        }
    }
}

}  // namespace
