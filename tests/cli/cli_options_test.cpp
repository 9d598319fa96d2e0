// cli_options_test.cpp - the command-line parser of corvane-search: forms of options, the operand,
// and every usage error.
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

TEST(ParseCliOptions, ValuesInEveryForm)
{
    const struct {
        Args args;
        const char* server;
        const char* port;
        const char* search;
    } cases[] = {
        {{"-s", "host", "-p", "636", "Smi"}, "host", "636", "Smi"},
        {{"-shost", "-p636", "Smi"}, "host", "636", "Smi"},
        {{"--server", "host", "--port=636", "Smi"}, "host", "636", "Smi"},
        {{"Smi", "--server=host", "-p", "636"}, "host", "636", "Smi"},
        {{"-s", "first", "-s", "host", "-p", "1", "-p636", "Smi"}, "host", "636", "Smi"},
        {{"--server=", "-p", "-1", "--", "-Smi"}, "", "-1", "-Smi"},
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

TEST(ParseCliOptions, EveryOptionReachesItsField)
{
    const CliParseResult parsed = ParseCliOptions({"-b", "dc=x", "-a", "sn", "-r", "cn,mail", "-P", "Dr.",
                                                   "-D", "cn,l", "-o", "out.csv", "-f", "p.cvl", "-wd"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const CliOptions& o = parsed.options;
    EXPECT_EQ(o.baseDn, "dc=x");
    EXPECT_EQ(o.searchAttribute, "sn");
    EXPECT_EQ(o.resultAttribute, "cn,mail");
    EXPECT_EQ(o.preselection, "Dr.");
    EXPECT_EQ(o.detailAttributes, "cn,l");
    EXPECT_EQ(o.output, "out.csv");
    EXPECT_EQ(o.profile, "p.cvl");
    EXPECT_TRUE(o.swap);
    EXPECT_TRUE(o.details);
    EXPECT_FALSE(o.help);
    EXPECT_FALSE(o.server.has_value());
    EXPECT_EQ(o.searchString, "");

    const CliParseResult longForms = ParseCliOptions({"--base", "dc=x", "--search-attribute", "sn",
        "--result-attribute", "cn", "--preselection", "Dr.", "--detail-attributes", "cn",
        "--output", "o", "--profile", "p", "--swap", "--details", "--help"});
    ASSERT_TRUE(longForms.ok) << longForms.error;
    EXPECT_TRUE(longForms.options.swap && longForms.options.details && longForms.options.help);
    EXPECT_EQ(longForms.options.profile, "p");
}

TEST(ParseCliOptions, GroupedFlagsEndedByAnOptionWithValue)
{
    const CliParseResult parsed = ParseCliOptions({"-wdshost", "Smi"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_TRUE(parsed.options.swap);
    EXPECT_TRUE(parsed.options.details);
    EXPECT_EQ(parsed.options.server, "host");
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
    };
    for (const auto& c : cases) {
        const CliParseResult parsed = ParseCliOptions(c.args);
        EXPECT_FALSE(parsed.ok) << c.error;
        EXPECT_EQ(parsed.error, c.error);
    }
}

}  // namespace
