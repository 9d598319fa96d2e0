// cli_options.cpp - a small portable parser for the command line of corvane-search.
#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "search/details_text.h"
#include "search/search_rules.h"
#include "storage/connection_profile.h"

namespace {

/// Where an option's value goes.
enum class Target {
    Server,
    Uri,
    Port,
    Base,
    SearchAttribute,
    ResultAttribute,
    Preselection,
    DetailAttributes,
    Output,
    Profile,
    BindUser,
    PasswordFile,
    Format,
    EntryCap,
    TimeLimit,
    SaslMechanism,
    // flags
    Swap,
    Details,
    Help,
    ListBases,
    StartTls,
    Prompt,
    SimpleBind,
    Quiet,
};

bool IsFlag(Target target)
{
    return target >= Target::Swap;
}

/** One option: its letter ('\0' for none) and its long name (nullptr for none). */
struct OptionSpec {
    char shortName;
    const char* longName;
    Target target;
};

constexpr std::array<OptionSpec, 24> kOptions{{
    {'H', nullptr, Target::Uri},
    {'h', "server", Target::Server},
    {'p', "port", Target::Port},
    {'b', "base", Target::Base},
    {'\0', "search-attribute", Target::SearchAttribute},
    {'r', "result-attribute", Target::ResultAttribute},
    {'\0', "preselection", Target::Preselection},
    {'\0', "detail-attributes", Target::DetailAttributes},
    {'\0', "output", Target::Output},
    {'\0', "profile", Target::Profile},
    {'D', "bind-user", Target::BindUser},
    {'y', "password-file", Target::PasswordFile},
    {'\0', "format", Target::Format},
    {'z', "entry-cap", Target::EntryCap},
    {'l', "time-limit", Target::TimeLimit},
    {'\0', "swap", Target::Swap},
    {'\0', "details", Target::Details},
    {'\0', "help", Target::Help},
    {'\0', "list-bases", Target::ListBases},
    {'Z', "start-tls", Target::StartTls},
    {'W', nullptr, Target::Prompt},
    {'x', nullptr, Target::SimpleBind},
    {'Y', nullptr, Target::SaslMechanism},
    {'Q', nullptr, Target::Quiet},
}};

/** An ldapsearch letter this program does not take, and what to use instead where there is something. */
struct Refused {
    char letter;
    const char* meaning;  ///< what the letter means to ldapsearch
    const char* instead;  ///< nullptr, or the option that does what older versions of this program did
};

constexpr std::array<Refused, 26> kRefused{{
    {'a', "alias dereferencing", "--search-attribute for the search attribute"},
    {'A', "attribute names only", nullptr},
    {'c', "continuous operation", nullptr},
    {'d', "the debugging level", "--details for the details text"},
    {'e', "general extensions", nullptr},
    {'E', "search extensions", nullptr},
    {'f', "reading operations from a file", "--profile for a profile file"},
    {'F', "a URL prefix for files", nullptr},
    {'I', "SASL interactive mode", nullptr},
    {'L', "LDIF output", "--format ldif"},
    {'M', "the ManageDsaIT control", nullptr},
    {'n', "a dry run", nullptr},
    {'N', "SASL host names", nullptr},
    {'o', "a client library option", "--output for the output file"},
    {'O', "SASL security properties", nullptr},
    {'P', "the protocol version", "--preselection for the preselection"},
    {'R', "a SASL realm", nullptr},
    {'s', "the search scope", "-H URI or --server for the server"},
    {'S', "sorting", nullptr},
    {'t', "values written to files", nullptr},
    {'T', "a folder for value files", nullptr},
    {'u', "user-friendly names", nullptr},
    {'U', "a SASL identity", "-D or --bind-user for the bind name"},
    {'v', "verbose output", nullptr},
    {'V', "version information", nullptr},
    {'X', "a SASL authorisation identity", nullptr},
}};

const OptionSpec* FindShort(char letter)
{
    for (const OptionSpec& option : kOptions) {
        if (letter != '\0' && option.shortName == letter) {
            return &option;
        }
    }
    return nullptr;
}

const OptionSpec* FindLong(const std::string& name)
{
    for (const OptionSpec& option : kOptions) {
        if (option.longName != nullptr && name == option.longName) {
            return &option;
        }
    }
    return nullptr;
}

/// The error for a short letter that is no option here: the option text says what ldapsearch
/// means by it and, for letters older versions used, which option now does that.
std::string UnknownLetter(char letter)
{
    if (letter == 'w') {
        return "passwords are never taken from the command line; use -W or -y FILE";
    }
    for (const Refused& refused : kRefused) {
        if (refused.letter == letter) {
            std::string error =
                std::string("option '-") + letter + "' (" + refused.meaning + " in ldapsearch) is not supported";
            if (refused.instead != nullptr) {
                error += "; use " + std::string(refused.instead);
            }
            return error;
        }
    }
    const bool printable = letter > ' ' && letter < 0x7f;
    return printable ? std::string("unknown option '-") + letter + "'" : std::string("unknown option");
}

/// Decimal digits only, at most 16 of them; nullopt otherwise.
std::optional<unsigned long long> Decimal(const std::string& text)
{
    if (text.empty() || text.size() > 16) {
        return std::nullopt;
    }
    unsigned long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned long long>(c - '0');
    }
    return value;
}

CliParseResult Failed(std::string error)
{
    CliParseResult result;
    result.error = std::move(error);
    return result;
}

/** The values as given, before the numbers among them are read. */
/// True when text starts with a URL or a DNS form of the server field (scheme in any case).
bool StartsUrl(std::string_view text)
{
    std::string head(text.substr(0, 8));
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return head.starts_with("ldap://") || head.starts_with("ldaps://") || head.starts_with("dns:");
}

struct Given {
    CliOptions options;
    std::optional<std::string> entryCap;
    std::optional<std::string> timeLimit;
};

void Store(Given& given, Target target, std::string value)
{
    CliOptions& o = given.options;
    switch (target) {
        case Target::Uri:
            // ldapsearch takes a list separated by blanks or commas; the server field by blanks. A
            // comma that does not start the next URL is part of a DN ("ldap:///dc=corp,dc=example").
            for (std::size_t at = value.find(','); at != std::string::npos; at = value.find(',', at + 1)) {
                if (StartsUrl(std::string_view(value).substr(at + 1))) {
                    value[at] = ' ';
                }
            }
            o.server = std::move(value);
            break;
        case Target::Server:
            o.server = std::move(value);
            break;
        case Target::Port:
            o.port = std::move(value);
            break;
        case Target::Base:
            o.baseDn = std::move(value);
            break;
        case Target::SearchAttribute:
            o.searchAttribute = std::move(value);
            break;
        case Target::ResultAttribute:
            o.resultAttribute = std::move(value);
            break;
        case Target::Preselection:
            o.preselection = std::move(value);
            break;
        case Target::DetailAttributes:
            o.detailAttributes = std::move(value);
            break;
        case Target::Output:
            o.output = std::move(value);
            break;
        case Target::Profile:
            o.profile = std::move(value);
            break;
        case Target::BindUser:
            o.bindUser = std::move(value);
            break;
        case Target::PasswordFile:
            o.passwordFile = std::move(value);
            break;
        case Target::Format:
            o.format = std::move(value);
            break;
        case Target::EntryCap:
            given.entryCap = std::move(value);
            break;
        case Target::TimeLimit:
            given.timeLimit = std::move(value);
            break;
        case Target::Swap:
            o.swap = true;
            break;
        case Target::Details:
            o.details = true;
            break;
        case Target::Help:
            o.help = true;
            break;
        case Target::ListBases:
            o.listBases = true;
            break;
        case Target::StartTls:
            o.startTls = true;
            break;
        case Target::Prompt:
            o.promptPassword = true;
            break;
        case Target::SaslMechanism:
            o.saslMechanism = std::move(value);
            break;
        case Target::SimpleBind:
            break;  // the simple bind is the one without -Y
        case Target::Quiet:
            o.quiet = true;
            break;
    }
}

/// The checks of the whole command line once every option is read.
CliParseResult Checked(Given given)
{
    CliOptions& options = given.options;
    // The window would take any text here and fail the search; on the command line a port that
    // is no number from 0 to 65535 is a mistake in the command.
    if (options.port.has_value()) {
        const auto port = Decimal(*options.port);
        if (!port || *port > 65535) {
            return Failed("the port is not a number from 0 to 65535");
        }
    }
    if (given.entryCap.has_value()) {
        const auto cap =
            *given.entryCap == "max" || *given.entryCap == "none" ? kCliMaxEntryCap : Decimal(*given.entryCap);
        if (!cap || *cap < 1 || *cap > kCliMaxEntryCap) {
            return Failed("the entry cap is not a number from 1 to 1000000");
        }
        options.entryCap = static_cast<uint32_t>(*cap);
    }
    if (given.timeLimit.has_value()) {
        constexpr unsigned long long kLongest = 24 * 60 * 60;
        const auto seconds = *given.timeLimit == "none" || *given.timeLimit == "max" ? 0 : Decimal(*given.timeLimit);
        if (!seconds || *seconds > kLongest) {
            return Failed("the time limit is not a number of seconds from 0 (none) to 86400");
        }
        options.timeLimit = static_cast<int32_t>(*seconds);
    }
    if (options.format.has_value() && *options.format != "csv" && *options.format != "ldif") {
        return Failed("the format is neither csv nor ldif");
    }
    if (options.format == "ldif" && options.details) {
        return Failed("--format ldif writes the search result; the details text has no other format");
    }
    if (options.detailAttributes.has_value()) {
        const std::vector<std::string> names = DetailAttributeNames(*options.detailAttributes);
        if (names.size() > kMaxDetailNames) {
            return Failed("--detail-attributes names more than " + std::to_string(kMaxDetailNames) + " attributes");
        }
        if (std::any_of(names.begin(), names.end(),
                        [](const std::string& name) { return name.size() > kFieldLimit; })) {
            return Failed("--detail-attributes holds a name longer than " + std::to_string(kFieldLimit) + " bytes");
        }
    }
    if (options.saslMechanism.has_value()) {
        std::string mechanism = *options.saslMechanism;
        std::transform(mechanism.begin(), mechanism.end(), mechanism.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (mechanism != "GSSAPI") {
            return Failed("-Y takes GSSAPI only (the Kerberos ticket)");
        }
        if (options.bindUser.has_value() || options.passwordFile.has_value() || options.promptPassword) {
            return Failed("-Y GSSAPI signs in with the Kerberos ticket: no -D, -y or -W");
        }
    }
    if (options.promptPassword && options.passwordFile.has_value()) {
        return Failed("-W and -y exclude each other");
    }
    CliParseResult result;
    result.ok = true;
    result.options = std::move(options);
    return result;
}

}  // namespace

CliParseResult ParseCliOptions(const std::vector<std::string>& args)
{
    Given given;
    bool haveOperand = false;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            // The extra operand is not named: it may be a password meant for an option.
            if (haveOperand) {
                return Failed("more than one search string given");
            }
            given.options.searchString = arg;
            haveOperand = true;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg[1] == '-') {
            const std::size_t equals = arg.find('=');
            const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            if (name == "password") {
                // Other programs can read a command line: a password never comes from one.
                return Failed("passwords are never taken from the command line; use -W or -y FILE");
            }
            const OptionSpec* option = FindLong(name);
            if (option == nullptr) {
                return Failed("unknown option '--" + name + "'");
            }
            if (IsFlag(option->target)) {
                if (equals != std::string::npos) {
                    return Failed("option '--" + name + "' takes no value");
                }
                Store(given, option->target, {});
            } else if (equals != std::string::npos) {
                Store(given, option->target, arg.substr(equals + 1));
            } else if (i + 1 < args.size()) {
                Store(given, option->target, args[++i]);
            } else {
                return Failed("option '--" + name + "' needs a value");
            }
            continue;
        }
        // A group of short options: flags, possibly ended by one option that takes a value.
        for (std::size_t at = 1; at < arg.size(); ++at) {
            const OptionSpec* option = FindShort(arg[at]);
            if (option == nullptr) {
                return Failed(UnknownLetter(arg[at]));
            }
            if (IsFlag(option->target)) {
                Store(given, option->target, {});
                continue;
            }
            if (at + 1 < arg.size()) {
                Store(given, option->target, arg.substr(at + 1));
            } else if (i + 1 < args.size()) {
                Store(given, option->target, args[++i]);
            } else {
                return Failed(std::string("option '-") + arg[at] + "' needs a value");
            }
            break;
        }
    }
    return Checked(std::move(given));
}

std::vector<std::string> DetailAttributeNames(const std::string& list)
{
    std::vector<std::string> names;
    for (std::string& name : SplitResultAttributes(list)) {
        if (!name.empty()) {
            names.push_back(std::move(name));
        }
    }
    return names;
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
           "Short options mean what they mean to ldapsearch; its other letters are refused.\n"
           "\n"
           "  -H URI[,URI...]                LDAP server(s): ldap://HOST[:PORT], ldaps://HOST[:PORT]\n"
           "                                 (TLS, certificate checked) or a host name\n"
           "  -h, --server HOST              the same as -H; several separated by blanks (a port\n"
           "                                 given here wins over -p)\n"
           "  -p, --port PORT                LDAP port, 0 to 65535 (default 389)\n"
           "  -b, --base DN                  distinguished name to search below\n"
           "      --search-attribute ATTR[,ATTR...]\n"
           "                                 attributes searched, any of them matching\n"
           "                                 (default telephoneNumber)\n"
           "  -r, --result-attribute ATTR[,ATTR...]\n"
           "                                 attributes shown (default cn)\n"
           "      --preselection TEXT        text put before the search string\n"
           "      --swap                     swap search and result attributes\n"
           "      --details                  write the details text of all entries instead\n"
           "      --detail-attributes A,B,...\n"
           "                                 attributes of the details text, at most 99\n"
           "                                 (default cn, Company, postalAddress, postalCode,\n"
           "                                 l, st, physicalDeliveryOfficeName, telephoneNumber)\n"
           "      --format csv|ldif          write the result as \";\"-separated lines (csv, the\n"
           "                                 default) or as LDIF with each entry's DN\n"
           "      --list-bases               write the server's base DNs instead of searching\n"
           "  -z, --entry-cap N              read at most N entries, 1 to 1000000 (default\n"
           "                                 1000); past what the server hands out at once,\n"
           "                                 the entries are asked for in pages\n"
           "  -l, --time-limit SECONDS       time limit of the whole search, 0 for none\n"
           "                                 (default 100)\n"
           "      --output FILE              write to FILE instead of standard output (-)\n"
           "      --profile FILE             take the defaults from a profile file (*.cvl);\n"
           "                                 options given here override them\n"
           "  -D, --bind-user BINDDN         bind as BINDDN with a password instead of\n"
           "                                 anonymously (a simple bind; -x is accepted)\n"
           "  -W                             ask for the password on the terminal\n"
           "  -y, --password-file FILE       the password is the first line of FILE (- for\n"
           "                                 standard input); without -y the password is\n"
           "                                 asked for on the terminal. A password is never\n"
           "                                 taken from the command line or the environment\n"
           "  -Y GSSAPI                      sign in with the Kerberos ticket of the credential\n"
           "                                 cache (kinit; on Windows the Windows account)\n"
           "                                 instead of a bind name; plain ldap:// is signed\n"
           "  -Q                             accepted for ldapsearch's quiet SASL mode: no\n"
           "                                 question is ever asked\n"
           "  -Z, -ZZ, --start-tls           upgrade ldap:// connections with StartTLS before\n"
           "                                 the bind, certificate checked as for ldaps://;\n"
           "                                 unlike ldapsearch -Z, a failed upgrade always\n"
           "                                 fails the search: it never goes on unencrypted\n"
           "      --help                     show this text\n"
           "\n"
           "-H dns:DOMAIN, ldap:///dc=corp,dc=example or ldaps:///dc=... finds the domain's\n"
           "directory servers in DNS (_ldap._tcp.DOMAIN, _gc._tcp.DOMAIN for port 3268 or\n"
           "3269) and tries them in the order of their priorities and weights.\n"
           "\n"
           "Without -H (or a server in the profile) and without -b, the client library's\n"
           "configuration gives them: URI and BASE of ldap.conf or .ldaprc (LDAPCONF and\n"
           "LDAPNOINIT are honoured).\n"
           "\n"
           "Exit status: 0 entries found, 1 no entry found, 2 usage error, unreadable\n"
           "profile, missing input or no password to be had, 3 output cannot be written,\n"
           "4 search failed (no connection, bind refused, time-out or the server's error;\n"
           "the output file is left as it was), 130 stopped by Ctrl+C (nothing written).\n";
}
