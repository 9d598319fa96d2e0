// session_end_test.cpp - the program itself, ended by the desktop session (a termination signal):
// its window closes the ordinary way, LDAP.ini is saved once and the program exits normally, also
// while a message box is open.
#include <gtest/gtest.h>

#include "program_copy.h"

TEST(SessionEnd, TerminationSavesTheSettingsAndEndsTheProgram)
{
    ProgramCopy copy;
    const struct {
        int signal;
        std::vector<std::string> args;
    } cases[] = {
        {SIGTERM, {}},
        {SIGHUP, {}},
        {SIGTERM, {"missing.cvl"}},  // its start-up shows "Cannot read file!" until answered
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.signal << " " << c.args.size());
        std::remove(copy.Settings().c_str());
        ASSERT_TRUE(copy.Start(c.args, c.signal));
        if (!c.args.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the box is up
        }
        EXPECT_EQ(copy.End(c.signal), 0);
        EXPECT_NE(FileBytes(copy.Settings()).find("<WinPos>"), std::string::npos);
    }
}
