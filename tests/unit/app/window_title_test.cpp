// window_title_test.cpp - the main window's title from the current profile and the bind name.
#include "app/sessions/window_title.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowTitle, NamesTheProfileFileAndWhomSearchesBindAs)
{
    const struct {
        const char* profilePath;
        const char* bindUser;
        const char* title;
    } rows[] = {
        {"", "", "Corvane LDAP"},
        {"/home/ann/work/people.cvl", "", "Corvane LDAP - people.cvl"},
        {"", "cn=reader,dc=example", "Corvane LDAP (cn=reader,dc=example)"},
        {"/home/ann/people.cvl", "uid=ann", "Corvane LDAP - people.cvl (uid=ann)"},
        {"C:\\data\\people.cvl", "", "Corvane LDAP - people.cvl"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WindowTitle(row.profilePath, row.bindUser), row.title) << row.profilePath << " / " << row.bindUser;
    }
}

}  // namespace
