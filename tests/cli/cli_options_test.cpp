// cli_options_test.cpp - the command-line parser of corvane-search: forms of options, the operand,
// and every usage error.
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
        {{"-shost", "-p636", "Smi"}, "host", "636", "Smi"},
        {{"Smi", "--server=host", "-p", "636"}, "host", "636", "Smi"},
        {{"-s", "first", "-s", "host", "-p", "1", "-p636", "Smi"}, "host", "636", "Smi"},
        {{"--server=", "-p", "0", "--", "-Smi"}, "", "0", "-Smi"},
        {{"-s", "host", "--port=065535", "Smi"}, "host", "065535", "Smi"},
        {{"-s", "host", "-p", "636", "-"}, "host", "636", "-"},
        {{"-s", "host", "-p", "636", "+49*"}, "host", "636", "+49*"},
    };
    for (const auto& c : cases) {
        const CliParseResult parsed = ParseCliOptions(c.args);
        ASSERT_TRUE(parsed.ok) << parsed.error;
        EXPECT_EQ(parsed.options.server, std::optional<std::string>(c.server));
        EXPECT_EQ(parsed.options.port, std::optional<std::string>(c.port));
        EXPECT_EQ(parsed.options.searchString, c.search);
    }
}

TEST(ParseCliOptions, EachOptionReachesOnlyItsOwnFieldInEveryForm)
{
    const struct {
        const char *shortForm, *longForm;
        std::optional<std::string> CliOptions::*field;
    } valued[] = {
        {"-s", "--server", &CliOptions::server},
        {"-p", "--port", &CliOptions::port},
        {"-b", "--base", &CliOptions::baseDn},
        {"-a", "--search-attribute", &CliOptions::searchAttribute},
        {"-r", "--result-attribute", &CliOptions::resultAttribute},
        {"-o", "--output", &CliOptions::output},
        {"-P", "--preselection", &CliOptions::preselection},
        {"-f", "--profile", &CliOptions::profile},
        {"-D", "--detail-attributes", &CliOptions::detailAttributes},
        {"-U", "--bind-user", &CliOptions::bindUser},
    };
    for (const auto& v : valued) {
        // "7" suits every option, the port too.
        for (const Args& args : {Args{v.shortForm, "7"}, Args{v.shortForm + std::string("7")}, Args{v.longForm, "7"},
                                 Args{v.longForm + std::string("=7")}}) {
            const CliParseResult parsed = ParseCliOptions(args);
            EXPECT_TRUE(parsed.ok) << args[0] << ": " << parsed.error;
            const CliOptions& o = parsed.options;
            for (const auto& other : valued) {
                EXPECT_EQ(o.*other.field, other.field == v.field ? std::optional<std::string>("7") : std::nullopt)
                    << args[0] << " / " << other.longForm;
            }
            EXPECT_FALSE(o.swap || o.details || o.help || !o.searchString.empty()) << args[0];
        }
    }
    using Flags = std::tuple<bool, bool, bool, std::optional<std::string>>;  // swap, details, help, server
    const std::pair<Args, Flags> flags[] = {
        {{"-wd"}, {true, true, false, std::nullopt}},
        {{"--swap", "--details", "--help"}, {true, true, true, std::nullopt}},
        {{"-h"}, {false, false, true, std::nullopt}},
        {{"-wdshost", "Smi"}, {true, true, false, "host"}},  // grouped flags ended by an option with value
    };
    for (const auto& [args, expected] : flags) {
        const CliParseResult parsed = ParseCliOptions(args);
        EXPECT_TRUE(parsed.ok) << args[0] << ": " << parsed.error;
        const CliOptions& o = parsed.options;
        EXPECT_EQ(Flags(o.swap, o.details, o.help, o.server), expected) << args[0];
    }
}

TEST(ParseCliOptions, UsageErrors)
{
    const struct {
        Args args;
        const char* error;
    } cases[] = {
        {{"-x", "Smi"}, "unknown option '-x'"},
        {{"--bogus", "Smi"}, "unknown option '--bogus'"},
        {{"--serv", "host"}, "unknown option '--serv'"},
        {{"Smi", "-s"}, "option '-s' needs a value"},
        {{"Smi", "--output"}, "option '--output' needs a value"},
        {{"--swap=yes", "Smi"}, "option '--swap' takes no value"},
        {{"Smi", "Jones"}, "more than one search string given: 'Jones'"},
        {{"Smi", "--", "-x"}, "more than one search string given: '-x'"},
        {{"-p", "65536", "Smi"}, "port '65536' is not a number from 0 to 65535"},
        {{"-p-1", "Smi"}, "port '-1' is not a number from 0 to 65535"},
        {{"--port=389x", "Smi"}, "port '389x' is not a number from 0 to 65535"},
        {{"--port", "", "Smi"}, "port '' is not a number from 0 to 65535"},
        {{"-p", " 389", "Smi"}, "port ' 389' is not a number from 0 to 65535"},
        {{"-p", "99999999999999999999", "Smi"}, "port '99999999999999999999' is not a number from 0 to 65535"},
    };
    for (const auto& c : cases) {
        const CliParseResult parsed = ParseCliOptions(c.args);
        EXPECT_FALSE(parsed.ok) << c.error;
        EXPECT_EQ(parsed.error, c.error);
    }
}

}  // namespace
