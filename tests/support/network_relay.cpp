// network_relay.cpp - NetworkRelay: the client's bytes passed on as they come, the server's in
// paced pieces.
#include "network_relay.h"

#include <algorithm>
#include <thread>

namespace ts = test_socket;

NetworkRelay::NetworkRelay(std::string targetHost, int targetPort, Pace pace)
    : m_pace{std::max<std::size_t>(pace.pieceBytes, 1), pace.gap},
      m_links(std::move(targetHost), targetPort, [this](Socket client, Socket server) {
          ts::SendPromptly(client);
          ts::SendPromptly(server);
          return RelayLinks::Passes{[this](Socket from, Socket to) { Pass(from, to, false); },
                                    [this](Socket from, Socket to) {
                                        Pass(from, to, true);
                                    }};
      })
{}

void NetworkRelay::Pass(Socket from, Socket to, bool towardClient)
{
    using Clock = std::chrono::steady_clock;
    char buffer[16 * 1024];
    Clock::time_point nextPiece = Clock::now();
    for (bool passing = true; passing && !m_links.Stopping();) {
        if (ts::Wait(from, false, m_links.WakeSocket()) & ts::kWoken) {
            break;
        }
        const long got = ts::Receive(from, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        const auto size = static_cast<std::size_t>(got);
        if (!towardClient) {
            passing = ts::SendAll(to, buffer, size);
            continue;
        }
        for (std::size_t at = 0; at < size && passing && !m_links.Stopping(); at += m_pace.pieceBytes) {
            std::this_thread::sleep_until(nextPiece);
            const std::size_t piece = std::min(m_pace.pieceBytes, size - at);
            passing = ts::SendAll(to, buffer + at, piece);
            m_bytesToClients += piece;
            nextPiece = Clock::now() + m_pace.gap;
        }
    }
}
