// client_defaults.cpp - the client library's configured URI and BASE.
#include "directory/client_defaults.h"

#include "directory/ldap_client.h"

#include <cstdlib>

#ifndef _WIN32
namespace {

/// What the library answers for URI when no configuration names one.
constexpr const char* kBuiltInUri = "ldap://localhost:389/??base";

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
#endif

ClientDefaults ReadClientDefaults()
{
    ClientDefaults defaults;
#ifdef _WIN32
    // The system's client library reads no configuration file of URI and BASE.
    return defaults;
#else
    // The library reads its configuration files on the first call that needs its options.
    defaults.uris = GlobalOption(LDAP_OPT_URI);
    // Without a configured URI the library answers its built-in fallback, which names no server
    // anyone chose: the search then says that no server is given.
    if (defaults.uris == kBuiltInUri) {
        defaults.uris.clear();
    }
    defaults.base = GlobalOption(LDAP_OPT_DEFBASE);
    // The list comes separated by blanks or commas; the server field separates by blanks.
    for (char& c : defaults.uris) {
        c = c == ',' ? ' ' : c;
    }
    return defaults;
#endif
}

void LeaveSaslMechanismsUnloaded()
{
#ifndef _WIN32
    setenv("SASL_PATH", "/dev/null", 0);
#endif
}
