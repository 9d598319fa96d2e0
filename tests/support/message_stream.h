// message_stream.h - the LDAP messages of a connection read one whole message at a time, for the
// loopback test servers that read what their peer sends.
#pragma once

#include <string>

#include "test_socket.h"

/// The next whole message (one BER element) from socket into message, reading more into buffer
/// while it holds only part of one; what follows the message stays in buffer. False once the
/// stream ends or wake is readable.
bool NextMessage(test_socket::Socket socket, test_socket::Socket wake, std::string& buffer, std::string& message);
