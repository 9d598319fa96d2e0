// file_filter_test.cpp - filters in the "Name(*.ext)|*.ext||" form and default extensions.
#include <gtest/gtest.h>

#include "platform/file_dialog.h"

TEST(FileFilter, FiltersBecomeWxWildcards)
{
    struct Row {
        const char* filter;
        const char* wildcard;
    };
    const Row rows[] = {
        {"LDAP profile(*.cvl)|*.cvl||", "LDAP profile(*.cvl)|*.cvl"},
        {"CSV file (*.csv)|*.csv||", "CSV file (*.csv)|*.csv"},
        {"Text(*.txt)|*.txt|All(*.*)|*.*||", "Text(*.txt)|*.txt|All(*.*)|*.*"},
        {"Profil(*.cvl)|*.cvl", "Profil(*.cvl)|*.cvl"},
        {"Profil ohne Muster||", "Profil ohne Muster|*"},  // a damaged translation still gives a list
        {"", ""},
        {"||", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ToWxWildcard(row.filter), row.wildcard) << row.filter;
}

TEST(FileFilter, TheDefaultExtensionIsAddedOnlyToNamesWithoutOne)
{
    struct Row {
        const char* path;
        const char* result;
    };
    const Row rows[] = {
        {"/home/u/team", "/home/u/team.cvl"},
        {"/home/u/team.cvl", "/home/u/team.cvl"},
        {"/home/u/team.txt", "/home/u/team.txt"},
        {"/home/u.v/team", "/home/u.v/team.cvl"},  // a dot in a folder name does not count
        {"C:\\data.d\\team", "C:\\data.d\\team.cvl"},
        {"team", "team.cvl"},
        {"/home/u/", "/home/u/"},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(WithDefaultExtension(row.path, "cvl"), row.result) << row.path;
    EXPECT_EQ(WithDefaultExtension("/home/u/team", ""), "/home/u/team");
}
