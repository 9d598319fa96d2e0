// client_defaults.h - the defaults of the client library's own configuration: the server URIs and
// the base DN of ldap.conf and .ldaprc.
#pragma once

#include <string>

/** The client configuration's defaults; a text is empty when the configuration names none. */
struct ClientDefaults {
    std::string uris;  ///< URI: one or more ldap:// or ldaps:// URLs, separated by blanks
    std::string base;  ///< BASE: the distinguished name searches start below
};

/// Reads URI and BASE as the client library configures itself: the system's ldap.conf, the
/// file LDAPCONF names, the user's .ldaprc and ldaprc, LDAPURI and LDAPBASE; nothing at all when
/// LDAPNOINIT is set.
ClientDefaults ReadClientDefaults();

/// For a program that signs in only anonymously or with a password (never with a ticket): keeps the
/// SASL library the client library starts from loading its mechanism plugins and the cryptography
/// libraries they bring, which costs a command-line search more than its answer. Call before the
/// first call into the client library; a SASL_PATH the user set is kept. Nothing on Windows.
void LeaveSaslMechanismsUnloaded();
