// cli_options.h - the command line of corvane-search: its options, their parser and the usage text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// The largest entry cap a search takes.
constexpr uint32_t kCliMaxEntryCap = 1000000;

/** What the command line asked for; an option that was not given stays empty. */
struct CliOptions {
    std::optional<std::string> server;            ///< -H, -h, --server (an -H list of URIs, blank-separated)
    std::optional<std::string> port;              ///< -p, --port (the text, parsed like the port field)
    std::optional<std::string> baseDn;            ///< -b, --base
    std::optional<std::string> searchAttribute;   ///< --search-attribute
    std::optional<std::string> resultAttribute;   ///< -r, --result-attribute
    std::optional<std::string> preselection;      ///< --preselection
    std::optional<std::string> detailAttributes;  ///< --detail-attributes (comma list)
    std::optional<std::string> output;            ///< --output ("-" for standard output)
    std::optional<std::string> profile;           ///< --profile
    std::optional<std::string> bindUser;          ///< -D, --bind-user
    std::optional<std::string> passwordFile;      ///< -y, --password-file ("-" for standard input)
    std::optional<std::string> format;            ///< --format: "csv" (the default) or "ldif"
    std::optional<uint32_t> entryCap;             ///< -z, --entry-cap: 1 to kCliMaxEntryCap
    std::optional<int32_t> timeLimit;             ///< -l, --time-limit: seconds, 0 for none
    std::optional<std::string> saslMechanism;     ///< -Y: GSSAPI, the Kerberos ticket
    bool swap = false;                            ///< --swap
    bool details = false;                         ///< --details
    bool help = false;                            ///< --help
    bool listBases = false;                       ///< --list-bases
    bool startTls = false;                        ///< -Z, -ZZ, --start-tls
    bool promptPassword = false;                  ///< -W: ask for the password on the terminal
    bool quiet = false;                           ///< -Q: no SASL messages (there are none to quieten)
    std::string searchString;                     ///< the one operand; empty when none was given
};

/** The parser's verdict: the options, or the reason the command line is not usable. */
struct CliParseResult {
    bool ok = false;
    CliOptions options;
    std::string error;  ///< one line saying what is wrong, when not ok; never holds a value given
};

/// Parses the arguments after the program name. Options and the operand may come in any order;
/// "--" ends the options. Short options take their value attached ("-p389") or as the next
/// argument and may be grouped ("-xZZ"); long ones as "--port=389" or "--port 389". A repeated
/// option keeps its last value. Short letters mean what they mean to ldapsearch; its letters
/// this program does not support are refused, -w (a password on the command line) among them.
/// Every text is taken whole, or refused: a detail list the details query cannot ask for whole.
CliParseResult ParseCliOptions(const std::vector<std::string>& args);

/// The names of a --detail-attributes list: its comma-separated pieces, empty ones left out (they
/// ask for nothing).
std::vector<std::string> DetailAttributeNames(const std::string& list);

/// The usage text, ended by a line end.
std::string UsageText();
