// message_stream.cpp - NextMessage: bytes read until a whole element stands at the buffer's start.
#include "message_stream.h"

#include "ber_elements.h"

namespace ts = test_socket;

bool NextMessage(ts::Socket socket, ts::Socket wake, std::string& buffer, std::string& message)
{
    for (;;) {
        if (const std::size_t length = ber::WholeLength(buffer); length > 0) {
            message = buffer.substr(0, length);
            buffer.erase(0, length);
            return true;
        }
        if (ts::Wait(socket, false, wake) & ts::kWoken) {
            return false;
        }
        char chunk[16 * 1024];
        const long got = ts::Receive(socket, chunk, sizeof chunk);
        if (got <= 0) {
            return false;
        }
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
}
