// network_relay.cpp - NetworkRelay: a connection to the target for each client, and a thread for
// each direction of it.
#include "network_relay.h"

#include <algorithm>
#include <thread>

namespace ts = test_socket;

/** One client joined to its connection to the target, with a thread for each direction. */
struct NetworkRelay::Link {
    Socket client = ts::kNone;  ///< held and closed by the listener
    Socket server = ts::kNone;
    std::atomic<int> passing{2};  ///< directions still passing bytes
    std::thread toServer;
    std::thread toClient;

    ~Link()
    {
        for (std::thread* thread : {&toServer, &toClient}) {
            if (thread->joinable()) {
                thread->join();
            }
        }
        ts::Close(server);
    }
};

NetworkRelay::NetworkRelay(std::string targetHost, int targetPort, Pace pace)
    : m_targetHost(std::move(targetHost)),
      m_targetPort(targetPort),
      m_pace(pace),
      m_listener([this](Socket client) { return Join(client); })
{
    m_pace.pieceBytes = std::max<std::size_t>(m_pace.pieceBytes, 1);
}

NetworkRelay::~NetworkRelay()
{
    std::vector<std::unique_ptr<Link>> links;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        links.swap(m_links);
    }
    const char stop = 's';
    ts::SendAll(m_wake[1], &stop, 1);
    // Shutting both sockets down also ends a send that waits for a client that reads no more.
    for (const auto& link : links) {
        ts::ShutDown(link->client, true);
        ts::ShutDown(link->server, true);
    }
    links.clear();  // joins every thread and closes every socket
    ts::Close(m_wake[0]);
    ts::Close(m_wake[1]);
}

bool NetworkRelay::Join(Socket client)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_stopping || (m_wake[0] == ts::kNone && !ts::MakeWakePair(m_wake))) {
        return false;
    }
    ForgetEnded();
    const Socket server = ts::Connect(m_targetHost, m_targetPort);
    if (server == ts::kNone) {
        return false;
    }
    ts::SendPromptly(client);
    ts::SendPromptly(server);
    auto link = std::make_unique<Link>();
    link->client = client;
    link->server = server;
    Link& joined = *link;
    const auto pass = [this, &joined](Socket from, Socket to, bool towardClient) {
        Pass(from, to, towardClient);
        --joined.passing;
    };
    joined.toServer = std::thread(pass, client, server, false);
    joined.toClient = std::thread(pass, server, client, true);
    m_links.push_back(std::move(link));
    return true;
}

void NetworkRelay::Pass(Socket from, Socket to, bool towardClient)
{
    using Clock = std::chrono::steady_clock;
    char buffer[16 * 1024];
    Clock::time_point nextPiece = Clock::now();
    for (bool passing = true; passing && !m_stopping;) {
        if (ts::Wait(from, false, m_wake[0]) & ts::kWoken) {
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
        for (std::size_t at = 0; at < size && passing && !m_stopping; at += m_pace.pieceBytes) {
            std::this_thread::sleep_until(nextPiece);
            const std::size_t piece = std::min(m_pace.pieceBytes, size - at);
            passing = ts::SendAll(to, buffer + at, piece);
            m_bytesToClients += piece;
            nextPiece = Clock::now() + m_pace.gap;
        }
    }
    // The other side reads the end of the stream once it has the bytes before it.
    ts::ShutDown(to, false);
}

void NetworkRelay::ForgetEnded()
{
    std::erase_if(m_links, [](const std::unique_ptr<Link>& link) { return link->passing.load() == 0; });
}
