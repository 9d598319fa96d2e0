// handshake_wait.h - the secure handshake of a search on its non-blocking socket, waiting for the
// socket with poll within the search's deadline and stop instead of retrying reads at once.
#pragma once

#include "directory/ldap_client.h"

class Deadline;
class QueryStop;

/// Runs the TLS handshake of connection, whose socket is non-blocking. Every read or write the
/// handshake makes that would block waits until the socket is ready, the deadline passes or the
/// stop is raised; the last two fail the read or write, and so the handshake. Returns the
/// library's result code of the handshake.
int InstallTlsWithin(LDAP* connection, int socket, const Deadline& deadline, const QueryStop& stop);
