// file_filter_test.cpp - filters in the "Name(*.ext)|*.ext||" form and default extensions.
#include <gtest/gtest.h>

#include "platform/file_dialog.h"

TEST(FileFilter, FiltersBecomeWxWildcards)
{
    const struct {
        const char *filter, *wildcard;
    } rows[] = {
        {"LDAP profile(*.cvl)|*.cvl||", "LDAP profile(*.cvl)|*.cvl"},
        {"CSV file (*.csv)|*.csv||", "CSV file (*.csv)|*.csv"},
        {"Text(*.txt)|*.txt|All(*.*)|*.*||", "Text(*.txt)|*.txt|All(*.*)|*.*"},
        {"Profil(*.cvl)|*.cvl", "Profil(*.cvl)|*.cvl"},
        {"Profil ohne Muster||", "Profil ohne Muster|*"},  // a damaged translation still gives a list
        {"", ""},
        {"||", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ToWxWildcard(row.filter), row.wildcard) << row.filter;
    }
}

TEST(FileFilter, TheDefaultExtensionIsAddedOnlyToNamesWithoutOne)
{
    const struct {
        const char *path, *extension, *result;
    } rows[] = {
        {"/home/u/team", "cvl", "/home/u/team.cvl"},
        {"/home/u/team.cvl", "cvl", "/home/u/team.cvl"},
        {"/home/u/team.txt", "cvl", "/home/u/team.txt"},
        {"/home/u.v/team", "cvl", "/home/u.v/team.cvl"},  // a dot in a folder name does not count
        {"C:\\data.d\\team", "cvl", "C:\\data.d\\team.cvl"},
        {"team", "cvl", "team.cvl"},
        {"/home/u/", "cvl", "/home/u/"},
        {"", "cvl", ""},
        {"/home/u/team", "", "/home/u/team"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WithDefaultExtension(row.path, row.extension), row.result) << row.path << " " << row.extension;
    }
}
