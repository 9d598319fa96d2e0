// cli_options.h - the command line of corvane-search: its options, their parser and the usage text.
#pragma once

#include <optional>
#include <string>
#include <vector>

/** What the command line asked for; an option that was not given stays empty. */
struct CliOptions {
    std::optional<std::string> server;            ///< -s, --server
    std::optional<std::string> port;              ///< -p, --port (the text, parsed like the port field)
    std::optional<std::string> baseDn;            ///< -b, --base
    std::optional<std::string> searchAttribute;   ///< -a, --search-attribute
    std::optional<std::string> resultAttribute;   ///< -r, --result-attribute
    std::optional<std::string> preselection;      ///< -P, --preselection
    std::optional<std::string> detailAttributes;  ///< -D, --detail-attributes (comma list)
    std::optional<std::string> output;            ///< -o, --output
    std::optional<std::string> profile;           ///< -f, --profile
    std::optional<std::string> bindUser;          ///< -U, --bind-user
    std::optional<std::string> passwordFile;      ///< --password-file ("-" for standard input)
    std::optional<std::string> format;            ///< --format: "csv" (the default) or "ldif"
    bool swap = false;                            ///< -w, --swap
    bool details = false;                         ///< -d, --details
    bool help = false;                            ///< -h, --help
    bool listBases = false;                       ///< --list-bases
    std::string searchString;                     ///< the one operand; empty when none was given
};

/** The parser's verdict: the options, or the reason the command line is not usable. */
struct CliParseResult {
    bool ok = false;
    CliOptions options;
    std::string error;  ///< one line saying what is wrong, when not ok
};

/// Parses the arguments after the program name. Options and the operand may come in any order;
/// "--" ends the options. Short options take their value attached ("-p389") or as the next
/// argument and may be grouped ("-wd"); long ones as "--port=389" or "--port 389". A repeated
/// option keeps its last value.
CliParseResult ParseCliOptions(const std::vector<std::string>& args);

/// The usage text, ended by a line end.
std::string UsageText();
