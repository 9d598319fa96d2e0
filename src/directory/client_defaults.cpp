// client_defaults.cpp - the client library's configured URI and BASE.
#include "directory/client_defaults.h"

#include "directory/ldap_client.h"

namespace {

std::string GlobalOption(int option)
{
    char* value = nullptr;
    if (ldap_get_option(nullptr, option, &value) != LDAP_OPT_SUCCESS || value == nullptr) {
        return {};
    }
    std::string text = value;
    ldap_memfree(value);
    return text;
}

}  // namespace

ClientDefaults ReadClientDefaults()
{
    ClientDefaults defaults;
    // The library reads its configuration files on the first call that needs its options.
    defaults.uris = GlobalOption(LDAP_OPT_URI);
    defaults.base = GlobalOption(LDAP_OPT_DEFBASE);
    // The list comes separated by blanks or commas; the server field separates by blanks.
    for (char& c : defaults.uris) {
        c = c == ',' ? ' ' : c;
    }
    return defaults;
}
