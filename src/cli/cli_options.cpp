// cli_options.cpp - a small portable parser for the command line of corvane-search.
#include "cli/cli_options.h"

#include <array>

namespace {

/** One option: its letter ('\0' for none), its long name and where its value goes (nullptr for a flag). */
struct OptionSpec {
    char shortName;
    const char* longName;
    std::optional<std::string> CliOptions::*value;
    bool CliOptions::*flag;
};

constexpr std::array<OptionSpec, 16> kOptions{{
    {'s', "server", &CliOptions::server, nullptr},
    {'p', "port", &CliOptions::port, nullptr},
    {'b', "base", &CliOptions::baseDn, nullptr},
    {'a', "search-attribute", &CliOptions::searchAttribute, nullptr},
    {'r', "result-attribute", &CliOptions::resultAttribute, nullptr},
    {'P', "preselection", &CliOptions::preselection, nullptr},
    {'D', "detail-attributes", &CliOptions::detailAttributes, nullptr},
    {'o', "output", &CliOptions::output, nullptr},
    {'f', "profile", &CliOptions::profile, nullptr},
    {'U', "bind-user", &CliOptions::bindUser, nullptr},
    {'\0', "password-file", &CliOptions::passwordFile, nullptr},
    {'\0', "format", &CliOptions::format, nullptr},
    {'w', "swap", nullptr, &CliOptions::swap},
    {'d', "details", nullptr, &CliOptions::details},
    {'h', "help", nullptr, &CliOptions::help},
    {'\0', "list-bases", nullptr, &CliOptions::listBases},
}};

const OptionSpec* FindShort(char letter)
{
    for (const OptionSpec& option : kOptions) {
        if (option.shortName == letter) {
            return &option;
        }
    }
    return nullptr;
}

const OptionSpec* FindLong(const std::string& name)
{
    for (const OptionSpec& option : kOptions) {
        if (name == option.longName) {
            return &option;
        }
    }
    return nullptr;
}

/// Decimal digits only, at most 65535.
bool IsPortNumber(const std::string& text)
{
    if (text.empty() || text.size() > 16) {
        return false;
    }
    unsigned long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    return value <= 65535;
}

CliParseResult Failed(std::string error)
{
    CliParseResult result;
    result.error = std::move(error);
    return result;
}

}  // namespace

CliParseResult ParseCliOptions(const std::vector<std::string>& args)
{
    CliParseResult result;
    CliOptions& options = result.options;
    bool haveOperand = false;
    bool optionsEnded = false;

    auto takeOperand = [&](const std::string& text) {
        if (haveOperand) {
            return false;
        }
        options.searchString = text;
        haveOperand = true;
        return true;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (!takeOperand(arg)) {
                return Failed("more than one search string given: '" + arg + "'");
            }
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg[1] == '-') {
            const std::size_t equals = arg.find('=');
            const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const OptionSpec* option = FindLong(name);
            if (name == "password") {
                // Other programs can read a command line: a password never comes from one.
                return Failed(
                    "a password is not taken from the command line: use --password-file FILE (- for "
                    "standard input), or run on a terminal to be asked for it");
            }
            if (option == nullptr) {
                return Failed("unknown option '--" + name + "'");
            }
            if (option->flag != nullptr) {
                if (equals != std::string::npos) {
                    return Failed("option '--" + name + "' takes no value");
                }
                options.*(option->flag) = true;
            } else if (equals != std::string::npos) {
                options.*(option->value) = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                options.*(option->value) = args[++i];
            } else {
                return Failed("option '--" + name + "' needs a value");
            }
            continue;
        }
        // A group of short options: flags, possibly ended by one option that takes a value.
        for (std::size_t at = 1; at < arg.size(); ++at) {
            const OptionSpec* option = arg[at] == '\0' ? nullptr : FindShort(arg[at]);
            if (option == nullptr) {
                return Failed(std::string("unknown option '-") + arg[at] + "'");
            }
            if (option->flag != nullptr) {
                options.*(option->flag) = true;
                continue;
            }
            if (at + 1 < arg.size()) {
                options.*(option->value) = arg.substr(at + 1);
            } else if (i + 1 < args.size()) {
                options.*(option->value) = args[++i];
            } else {
                return Failed(std::string("option '-") + arg[at] + "' needs a value");
            }
            break;
        }
    }
    // The window would take any text here and fail the search; on the command line a port that
    // is no number from 0 to 65535 is a mistake in the command.
    if (options.port.has_value() && !IsPortNumber(*options.port)) {
        return Failed("port '" + *options.port + "' is not a number from 0 to 65535");
    }
    if (options.format.has_value() && *options.format != "csv" && *options.format != "ldif") {
        return Failed("format '" + *options.format + "' is neither csv nor ldif");
    }
    if (options.format == "ldif" && options.details) {
        return Failed("--format ldif writes the search result; the details text has no other format");
    }
    result.ok = true;
    return result;
}

std::string UsageText()
{
    return "Usage: corvane-search [OPTION]... SEARCH-STRING\n"
           "Searches an LDAP directory for entries whose search attribute begins with\n"
           "SEARCH-STRING and writes the result attributes as \";\"-separated lines, the same\n"
           "bytes as the window's \"Export result\".\n"
           "       corvane-search --list-bases [OPTION]...\n"
           "Writes the base DNs the server names in its root entry, one a line.\n"
           "\n"
           "  -s, --server HOST              LDAP server: a host name, ldap://HOST[:PORT] or\n"
           "                                 ldaps://HOST[:PORT] (TLS, certificate checked;\n"
           "                                 a port given here wins over -p)\n"
           "  -p, --port PORT                LDAP port, 0 to 65535 (default 389)\n"
           "  -b, --base DN                  distinguished name to search below\n"
           "  -a, --search-attribute ATTR[,ATTR...]\n"
           "                                 attributes searched, any of them matching\n"
           "                                 (default telephoneNumber)\n"
           "  -r, --result-attribute ATTR[,ATTR...]\n"
           "                                 attributes shown (default cn)\n"
           "  -P, --preselection TEXT        text put before the search string\n"
           "  -w, --swap                     swap search and result attributes\n"
           "  -d, --details                  write the details text of all entries instead\n"
           "  -D, --detail-attributes A,B,...\n"
           "                                 attributes of the details text (default cn,\n"
           "                                 Company, postalAddress, postalCode, l, st,\n"
           "                                 physicalDeliveryOfficeName, telephoneNumber)\n"
           "      --format csv|ldif          write the result as \";\"-separated lines (csv, the\n"
           "                                 default) or as LDIF with each entry's DN\n"
           "      --list-bases               write the server's base DNs instead of searching\n"
           "  -o, --output FILE              write to FILE instead of standard output\n"
           "  -f, --profile FILE             take the defaults from a profile file (*.cvl);\n"
           "                                 options given here override them\n"
           "  -U, --bind-user NAME           bind as NAME (a distinguished name) with a\n"
           "                                 password instead of anonymously\n"
           "      --password-file FILE       the password is the first line of FILE (- for\n"
           "                                 standard input); without it the password is\n"
           "                                 asked for on the terminal. A password is never\n"
           "                                 taken from the command line or the environment\n"
           "  -h, --help                     show this text\n"
           "\n"
           "Exit status: 0 entries found, 1 no entry found, 2 usage error, unreadable\n"
           "profile, missing input or no password to be had, 3 output cannot be written,\n"
           "4 search failed (no connection, bind refused, time-out or the server's error;\n"
           "the output file is left as it was), 130 stopped by Ctrl+C (nothing written).\n";
}
