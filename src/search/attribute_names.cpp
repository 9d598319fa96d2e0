// attribute_names.cpp - the one table of standard attribute aliases and the key that matches names.
#include "search/attribute_names.h"

#include <array>

namespace {

/// The standard attributes known by more than one name: the short name first, then its other
/// names, all lower case. Covers the names the attribute lists offer and the usual schema.
struct Alias {
    std::string_view name;
    std::string_view shortName;
};

constexpr std::array<Alias, 21> kAliases{{
    {"commonname", "cn"},
    {"surname", "sn"},
    {"localityname", "l"},
    {"stateorprovincename", "st"},
    {"organizationname", "o"},
    {"organizationalunitname", "ou"},
    {"countryname", "c"},
    {"streetaddress", "street"},
    {"givenname", "gn"},
    {"rfc822mailbox", "mail"},
    {"userid", "uid"},
    {"facsimiletelephonenumber", "fax"},
    {"friendlycountryname", "co"},
    {"domaincomponent", "dc"},
    {"hometelephonenumber", "homephone"},
    {"mobiletelephonenumber", "mobile"},
    {"pagertelephonenumber", "pager"},
    {"favouritedrink", "drink"},
    {"aliasedentryname", "aliasedobjectname"},
    {"emailaddress", "email"},
    {"pkcs9email", "email"},
}};

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string AttributeKey(std::string_view name)
{
    name = name.substr(0, name.find(';'));
    std::string key(name);
    for (char& c : key) {
        c = LowerAscii(c);
    }
    for (const Alias& alias : kAliases) {
        if (key == alias.name) {
            return std::string(alias.shortName);
        }
    }
    return key;
}
