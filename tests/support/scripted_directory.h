// scripted_directory.h - a loopback LDAP server that plays one script: answers that stop halfway,
// answers without end, or a fixed answer sent at once. For tests and benchmarks of misbehaving or
// very fast servers that a real directory server cannot be configured into.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <thread>

/**
 * Listens on 127.0.0.1 on a free port and serves one connection after another on its own thread.
 * Every script but QuietInBind accepts the anonymous bind; each answers a search as it says.
 * Everything is closed when it is destroyed.
 */
class ScriptedDirectory {
public:
    enum class Script {
        QuietInBind,       ///< sends the first bytes of the bind response, then nothing more
        QuietInSearch,     ///< binds, then sends the first bytes of an entry and nothing more
        EndlessEntries,    ///< binds, then sends entries until the client abandons or leaves
        FixedEntries,      ///< binds, then sends entryCount entries and the result in one write
        EntriesThenQuiet,  ///< binds, then sends entryCount entries and nothing more
    };

    /// Entries are "cn=Person N,ou=people,dc=corvane,dc=test" with one cn value of valueBytes bytes.
    explicit ScriptedDirectory(Script script, int entryCount = 0, std::size_t valueBytes = 16);
    ~ScriptedDirectory();
    ScriptedDirectory(const ScriptedDirectory&) = delete;
    ScriptedDirectory& operator=(const ScriptedDirectory&) = delete;

    bool Running() const { return m_port > 0; }
    int Port() const { return m_port; }
    /// The size limit of the last search request; -1 before any.
    int SizeLimitAsked() const { return m_sizeLimit.load(); }
    /// True once a client abandoned a search.
    bool Abandoned() const { return m_abandoned.load(); }
    /// Entries sent over all connections.
    long EntriesSent() const { return m_entriesSent.load(); }
    /// True once the entries of EntriesThenQuiet are all in the client's hands (not only sent).
    bool Delivered() const { return m_delivered.load(); }
    /// Connections closed by their client.
    int ConnectionsEnded() const { return m_ended.load(); }

private:
    void Run();
    void Serve(int connection);
    void StreamEntries(int connection, int searchId);

    Script m_script;
    int m_entryCount;
    std::size_t m_valueBytes;
    int m_listener = -1;
    int m_wake[2] = {-1, -1};
    int m_port = 0;
    std::atomic<int> m_sizeLimit{-1};
    std::atomic<bool> m_abandoned{false};
    std::atomic<long> m_entriesSent{0};
    std::atomic<int> m_ended{0};
    std::atomic<bool> m_delivered{false};
    std::string m_answer;  ///< the FixedEntries answer for message id m_answerId
    int m_answerId = -1;
    std::thread m_thread;
};
