// ldap_client.h - the one place that includes the platform's RFC 1823 LDAP client library:
// OpenLDAP's libldap (classic calls behind LDAP_DEPRECATED, and openldap.h for a connection on
// a socket of our own) here, WLDAP32 on Windows.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <winldap.h>
#else
#ifndef LDAP_DEPRECATED
#define LDAP_DEPRECATED 1
#endif
#include <lber.h>
#include <ldap.h>
#include <openldap.h>
#endif
