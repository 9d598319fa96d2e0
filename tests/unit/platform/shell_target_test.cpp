// shell_target_test.cpp - what the desktop's opener is handed: addresses in host form get their scheme,
// everything else goes unchanged.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/shell_target.h"

TEST(ShellTarget, HostFormBecomesAWebAddressAndEverythingElseStays)
{
    const struct {
        const char *target, *argument;
    } rows[] = {
        {"corvane.example.org", "http://corvane.example.org"},
        {"www.example.org/pages/a.php?x=1", "http://www.example.org/pages/a.php?x=1"},
        {"http://corvane.example.org/pages/c_ldap.php?lang=ENG&progvers=1.640",
         "http://corvane.example.org/pages/c_ldap.php?lang=ENG&progvers=1.640"},
        {"mailto:ldap@corvane.example.org", "mailto:ldap@corvane.example.org"},
        {"ldap@corvane.example.org", "ldap@corvane.example.org"},  // no host form: "@"
        {"/usr/lib/corvane-ldap/LDAP_English.html", "/usr/lib/corvane-ldap/LDAP_English.html"},
        {"LDAP_License.txt", "LDAP_License.txt"},
        {"localhost", "localhost"},
        {".example.org", ".example.org"},
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(OpenerArgument(row.target), row.argument) << row.target;
    }
}

TEST(ShellTarget, AnExistingFileIsNeverTakenForAHost)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    const char* name = "corvane-test.example.org";
    std::ofstream(name) << "notes";
    EXPECT_EQ(OpenerArgument(name), name);
    std::remove(name);
    std::filesystem::current_path(previous);
}
