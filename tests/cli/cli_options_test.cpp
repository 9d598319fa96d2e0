// cli_options_test.cpp - the command-line parser of corvane-search: forms of options, the operand,
// ldapsearch's letters, and every usage error.
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using Args = std::vector<std::string>;

TEST(ParseCliOptions, ValuesInEveryForm)
{
    const struct {
        Args args;
        const char *server, *port, *search;
    } cases[] = {
        {{"-Hhost", "-p636", "Smi"}, "host", "636", "Smi"},
        {{"Smi", "--server=host", "-p", "636"}, "host", "636", "Smi"},
        {{"-H", "first", "-h", "host", "-p", "1", "-p636", "Smi"}, "host", "636", "Smi"},
        {{"--server=", "-p", "0", "--", "-Smi"}, "", "0", "-Smi"},
        {{"-h", "host", "--port=065535", "Smi"}, "host", "065535", "Smi"},
        {{"-h", "host", "-p", "636", "-"}, "host", "636", "-"},
        {{"-h", "host", "-p", "636", "+49*"}, "host", "636", "+49*"},
        // ldapsearch separates URIs by blanks or commas; the server field by blanks.
        {{"-H", "ldaps://a,ldaps://b", "Smi"}, "ldaps://a ldaps://b", nullptr, "Smi"},
        {{"-H", "ldap:///dc=corp,dc=example,dns:x.example", "Smi"},
         "ldap:///dc=corp,dc=example dns:x.example",
         nullptr,
         "Smi"},
    };
    for (const auto& c : cases) {
        const CliParseResult parsed = ParseCliOptions(c.args);
        ASSERT_TRUE(parsed.ok) << parsed.error;
        EXPECT_EQ(parsed.options.server, std::optional<std::string>(c.server));
        EXPECT_EQ(parsed.options.port, c.port ? std::optional<std::string>(c.port) : std::nullopt);
        EXPECT_EQ(parsed.options.searchString, c.search);
    }
}

TEST(ParseCliOptions, EachOptionReachesOnlyItsOwnFieldInEveryForm)
{
    const struct {
        const char *shortForm, *longForm;
        std::optional<std::string> CliOptions::*field;
    } valued[] = {
        {"-h", "--server", &CliOptions::server},
        {"-p", "--port", &CliOptions::port},
        {"-b", "--base", &CliOptions::baseDn},
        {nullptr, "--search-attribute", &CliOptions::searchAttribute},
        {"-r", "--result-attribute", &CliOptions::resultAttribute},
        {nullptr, "--output", &CliOptions::output},
        {nullptr, "--preselection", &CliOptions::preselection},
        {nullptr, "--profile", &CliOptions::profile},
        {nullptr, "--detail-attributes", &CliOptions::detailAttributes},
        {"-D", "--bind-user", &CliOptions::bindUser},
        {"-y", "--password-file", &CliOptions::passwordFile},
    };
    for (const auto& v : valued) {
        // "7" suits every option, the port too.
        std::vector<Args> forms = {Args{v.longForm, "7"}, Args{v.longForm + std::string("=7")}};
        if (v.shortForm != nullptr) {
            forms.push_back(Args{v.shortForm, "7"});
            forms.push_back(Args{v.shortForm + std::string("7")});
        }
        for (const Args& args : forms) {
            const CliParseResult parsed = ParseCliOptions(args);
            EXPECT_TRUE(parsed.ok) << args[0] << ": " << parsed.error;
            const CliOptions& o = parsed.options;
            for (const auto& other : valued) {
                EXPECT_EQ(o.*other.field, other.field == v.field ? std::optional<std::string>("7") : std::nullopt)
                    << args[0] << " / " << other.longForm;
            }
            EXPECT_FALSE(o.swap || o.details || o.help || o.startTls || !o.searchString.empty()) << args[0];
        }
    }
    using Flags = std::tuple<bool, bool, bool, bool, std::optional<std::string>>;  // swap, details, help, TLS, server
    const std::pair<Args, Flags> flags[] = {
        {{"--swap", "--details", "--help"}, {true, true, true, false, std::nullopt}},
        {{"-Z"}, {false, false, false, true, std::nullopt}},
        {{"-ZZ"}, {false, false, false, true, std::nullopt}},
        {{"--start-tls"}, {false, false, false, true, std::nullopt}},
        {{"-xZZhhost", "Smi"}, {false, false, false, true, "host"}},  // grouped flags ended by an option with value
    };
    for (const auto& [args, expected] : flags) {
        const CliParseResult parsed = ParseCliOptions(args);
        EXPECT_TRUE(parsed.ok) << args[0] << ": " << parsed.error;
        const CliOptions& o = parsed.options;
        EXPECT_EQ(Flags(o.swap, o.details, o.help, o.startTls, o.server), expected) << args[0];
    }
}

TEST(ParseCliOptions, EntryCapAndTimeLimit)
{
    const struct {
        Args args;
        std::optional<uint32_t> cap;
        std::optional<int32_t> seconds;
    } cases[] = {
        {{"-z", "1"}, 1u, std::nullopt},
        {{"-z1000000", "-l0"}, 1000000u, 0},
        {{"--entry-cap=max", "--time-limit", "none"}, kCliMaxEntryCap, 0},
        {{"-l", "86400"}, std::nullopt, 86400},
    };
    for (const auto& c : cases) {
        const CliParseResult parsed = ParseCliOptions(c.args);
        ASSERT_TRUE(parsed.ok) << c.args[0] << ": " << parsed.error;
        EXPECT_EQ(parsed.options.entryCap, c.cap) << c.args[0];
        EXPECT_EQ(parsed.options.timeLimit, c.seconds) << c.args[0];
    }
}

/// n attribute names "a0,a1,...", each followed by between (commas, empty pieces).
std::string NameList(int n, const std::string& between = ",")
{
    std::string list;
    for (int k = 0; k < n; ++k) {
        list += "a" + std::to_string(k) + between;
    }
    return list;
}

TEST(ParseCliOptions, DetailAttributesAreTakenWholeOrRefused)
{
    // Empty pieces ask for nothing: they neither count nor end the list.
    const CliParseResult most = ParseCliOptions({"--detail-attributes", ",," + NameList(99, ",,")});
    ASSERT_TRUE(most.ok) << most.error;
    EXPECT_EQ(DetailAttributeNames(*most.options.detailAttributes).size(), 99u);
    EXPECT_EQ(DetailAttributeNames(*most.options.detailAttributes).back(), "a98");
}

TEST(ParseCliOptions, UsageErrors)
{
    const std::string password = "s3cret";
    const struct {
        Args args;
        std::string error;
    } cases[] = {
        {{"-w", password, "Smi"}, "passwords are never taken from the command line; use -W or -y FILE"},
        {{"-xw" + password, "Smi"}, "passwords are never taken from the command line; use -W or -y FILE"},
        {{"--password=" + password}, "passwords are never taken from the command line; use -W or -y FILE"},
        {{"-s", "host", "Smi"},
         "option '-s' (the search scope in ldapsearch) is not supported; use -H URI or --server for the server"},
        {{"-a", "sn"},
         "option '-a' (alias dereferencing in ldapsearch) is not supported; use --search-attribute for "
         "the search attribute"},
        {{"-d"},
         "option '-d' (the debugging level in ldapsearch) is not supported; use --details for the details text"},
        {{"-U", "x"},
         "option '-U' (a SASL identity in ldapsearch) is not supported; use -D or --bind-user for the "
         "bind name"},
        {{"-f", "x"},
         "option '-f' (reading operations from a file in ldapsearch) is not supported; use --profile for "
         "a profile file"},
        {{"-o", "x"},
         "option '-o' (a client library option in ldapsearch) is not supported; use --output for the "
         "output file"},
        {{"-P", "3"},
         "option '-P' (the protocol version in ldapsearch) is not supported; use --preselection for the "
         "preselection"},
        {{"-Y", "DIGEST-MD5", "Smi"}, "-Y takes GSSAPI only (the Kerberos ticket)"},
        {{"-Y", "GSSAPI", "-D", "cn=x", "Smi"}, "-Y GSSAPI signs in with the Kerberos ticket: no -D, -y or -W"},
        {{"-I", "Smi"}, "option '-I' (SASL interactive mode in ldapsearch) is not supported"},
        {{"-LLL"}, "option '-L' (LDIF output in ldapsearch) is not supported; use --format ldif"},
        {{"-q", "Smi"}, "unknown option '-q'"},
        {{"--bogus", "Smi"}, "unknown option '--bogus'"},
        {{"--serv", "host"}, "unknown option '--serv'"},
        {{"Smi", "-H"}, "option '-H' needs a value"},
        {{"Smi", "--output"}, "option '--output' needs a value"},
        {{"--swap=yes", "Smi"}, "option '--swap' takes no value"},
        // A second operand may be a password meant for an option: it is never repeated.
        {{"Smi", password}, "more than one search string given"},
        {{"Smi", "--", "-x"}, "more than one search string given"},
        {{"-p", "65536", "Smi"}, "the port is not a number from 0 to 65535"},
        {{"-p-1", "Smi"}, "the port is not a number from 0 to 65535"},
        {{"--port=389x", "Smi"}, "the port is not a number from 0 to 65535"},
        {{"--port", "", "Smi"}, "the port is not a number from 0 to 65535"},
        {{"-p", " 389", "Smi"}, "the port is not a number from 0 to 65535"},
        {{"-p", "99999999999999999999", "Smi"}, "the port is not a number from 0 to 65535"},
        {{"-z", "0"}, "the entry cap is not a number from 1 to 1000000"},
        {{"-z", "1000001"}, "the entry cap is not a number from 1 to 1000000"},
        {{"--entry-cap=-5"}, "the entry cap is not a number from 1 to 1000000"},
        {{"-l", "86401"}, "the time limit is not a number of seconds from 0 (none) to 86400"},
        {{"-l", "1m"}, "the time limit is not a number of seconds from 0 (none) to 86400"},
        {{"-W", "-y", "file"}, "-W and -y exclude each other"},
        // The details query asks for at most 99 names: a longer list is refused, not cut.
        {{"--detail-attributes", NameList(100)}, "--detail-attributes names more than 99 attributes"},
        {{"--detail-attributes", "cn," + std::string(1024, 'n')},
         "--detail-attributes holds a name longer than 1023 bytes"},
    };
    for (const auto& c : cases) {
        const CliParseResult parsed = ParseCliOptions(c.args);
        EXPECT_FALSE(parsed.ok) << c.error;
        EXPECT_EQ(parsed.error, c.error);
        EXPECT_EQ(parsed.error.find(password), std::string::npos) << parsed.error;
    }
}

}  // namespace
