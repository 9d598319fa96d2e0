// relay_links.cpp - RelayLinks: a connection to the target for each client, a thread for each
// direction of it, and the stop that ends them all.
#include "relay_links.h"

#include <thread>

namespace ts = test_socket;

/** One client joined to its connection to the target, with a thread for each direction. */
struct RelayLinks::Link {
    Socket client = ts::kNone;  ///< held and closed by the listener
    Socket server = ts::kNone;
    Passes passes;
    std::atomic<int> passing{2};  ///< directions still passing
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

RelayLinks::RelayLinks(std::string targetHost, int targetPort, MakePasses makePasses)
    : m_targetHost(std::move(targetHost)),
      m_targetPort(targetPort),
      m_makePasses(std::move(makePasses)),
      m_listener([this](Socket client) { return Join(client); })
{}

RelayLinks::~RelayLinks()
{
    std::vector<std::unique_ptr<Link>> links;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        links.swap(m_links);
    }
    const char stop = 's';
    ts::SendAll(m_wake[1], &stop, 1);
    // Shutting both sockets down also ends a send that waits for a side that reads no more.
    for (const auto& link : links) {
        ts::ShutDown(link->client, true);
        ts::ShutDown(link->server, true);
    }
    links.clear();  // joins every thread and closes every socket
    ts::Close(m_wake[0]);
    ts::Close(m_wake[1]);
}

bool RelayLinks::Join(Socket client)
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
    auto link = std::make_unique<Link>();
    link->client = client;
    link->server = server;
    link->passes = m_makePasses(client, server);
    Link& joined = *link;
    const auto pass = [&joined](const Pass& passOn, Socket from, Socket to) {
        passOn(from, to);
        // The other side reads the end of the stream once it has the bytes before it.
        ts::ShutDown(to, false);
        --joined.passing;
    };
    joined.toServer = std::thread(pass, std::cref(joined.passes.toServer), client, server);
    joined.toClient = std::thread(pass, std::cref(joined.passes.toClient), server, client);
    m_links.push_back(std::move(link));
    return true;
}

void RelayLinks::ForgetEnded()
{
    std::erase_if(m_links, [](const std::unique_ptr<Link>& link) { return link->passing.load() == 0; });
}
