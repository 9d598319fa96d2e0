// program_run.cpp - the environment a run of corvane-search gets, on every system.
#include "program_run.h"

#include <algorithm>

namespace program_run {

Args RunEnvironment(const Args& inherited, const Args& environment)
{
    Args variables;
    for (const std::string& text : inherited) {
        // Neither the test's TLS settings nor its client configuration reach the program.
        if (text.rfind("LDAPTLS_", 0) != 0 && text.rfind("LDAPCONF=", 0) != 0 && text.rfind("LDAPRC=", 0) != 0 &&
            text.rfind("LDAPURI=", 0) != 0 && text.rfind("LDAPBASE=", 0) != 0 && text.rfind("LDAPNOINIT=", 0) != 0) {
            variables.push_back(text);
        }
    }
    variables.insert(variables.end(), environment.begin(), environment.end());
    // The machine's ldap.conf stays out unless a test names a configuration of its own.
    if (std::none_of(environment.begin(), environment.end(),
                     [](const std::string& item) { return item.rfind("LDAPCONF=", 0) == 0; })) {
        variables.push_back("LDAPCONF=/dev/null");
    }
    return variables;
}

}  // namespace program_run
