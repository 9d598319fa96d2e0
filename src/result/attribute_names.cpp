// attribute_names.cpp - the one table of standard attribute aliases and the key that matches names.
#include "result/attribute_names.h"

#include <algorithm>
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

/// The operational attributes of the usual directory servers (keys as AttributeKey gives them).
/// Needed only to tell them from user attributes when a list asks for both "*" and "+": the
/// answer then mixes them. One left out here still shows, under "*" instead of "+".
constexpr std::array<std::string_view, 30> kOperational{"createtimestamp",
                                                        "modifytimestamp",
                                                        "creatorsname",
                                                        "modifiersname",
                                                        "subschemasubentry",
                                                        "structuralobjectclass",
                                                        "governingstructurerule",
                                                        "hassubordinates",
                                                        "numsubordinates",
                                                        "subordinatecount",
                                                        "entrydn",
                                                        "entryuuid",
                                                        "entrycsn",
                                                        "contextcsn",
                                                        "entryttl",
                                                        "pwdchangedtime",
                                                        "pwdaccountlockedtime",
                                                        "pwdfailuretime",
                                                        "pwdhistory",
                                                        "pwdgraceusetime",
                                                        "pwdreset",
                                                        "pwdpolicysubentry",
                                                        "memberof",
                                                        "ismemberof",
                                                        "collectiveattributesubentries",
                                                        "administrativerole",
                                                        "nsuniqueid",
                                                        "entryid",
                                                        "parentid",
                                                        "aci"};

}  // namespace

bool IsOperationalAttribute(std::string_view key)
{
    return std::find(kOperational.begin(), kOperational.end(), key) != kOperational.end();
}

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
