// scripted_directory.h - a loopback LDAP server that plays one script: answers that stop halfway,
// answers without end, or a fixed answer sent at once. For tests and benchmarks of misbehaving or
// very fast servers that a real directory server cannot be configured into.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>

#include "listener_thread.h"

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
        PagesThenQuiet,    ///< binds, then answers a plain search with entryCount entries cut by
                           ///< its size limit, a first page with entryCount entries and a cookie;
                           ///< a search carrying that cookie gets the next entryCount entries and
                           ///< nothing more
        ManyAttributes,    ///< binds, then sends one entry of entryCount attributes and the result:
                           ///< "cn" and "CN" (values "lower" and "upper"), then "a0", "a1", ...
        HugeClaim,         ///< binds, then a message header claiming 0xFFFFFFFF bytes, and filler
                           ///< until the client leaves
        UnknownMessage,    ///< binds, then a message of an unknown kind, entryCount entries, the result
        ClosedMidAnswer,   ///< binds, then one entry and half of the next, and closes the connection
        MalformedEntry,    ///< binds, then an entry message whose content is no entry
        ControlText,       ///< binds, then a result "unwilling to perform" whose text holds control
                           ///< characters: "line one\nline two\x1b[2J"
        StrayBytes,        ///< binds, then entryCount entries and bytes that are no message, and
                           ///< nothing more
        ControlEntry,      ///< binds, then one entry "cn=two\nlines,dc=corvane,dc=test" with namingContexts
                           ///< "dc=one\r\ndc=two" and "dc=bell\a\x1b[2J", cn "two\r\nlines\x1b[31m"; the result
        Answers,           ///< answers the bind, then each search with entryCount entries, as the Answer says
        SeveralBases,      ///< binds, then answers every search with one entry "cn=Several,dc=one" with
                           ///< namingContexts "dc=one" and "dc=two" and cn "Several"; the result
        GlobalCatalog,     ///< as SeveralBases, the entry with isGlobalCatalogReady "TRUE" too
    };

    /** The result codes and text Script::Answers gives: a bind answered with bindCode (and text
        when it is not 0); each search then answered with searchCode and text after its entries. */
    struct Answer {
        int bindCode = 0;
        int searchCode = 0;
        std::string text;
    };

    /// Entries are "cn=Person N,ou=people,dc=corvane,dc=test" with one cn value of valueBytes bytes.
    /// EndlessEntries with large values is the answer too large for memory.
    explicit ScriptedDirectory(Script script, int entryCount = 0, std::size_t valueBytes = 16)
        : ScriptedDirectory(script, entryCount, valueBytes, Answer{})
    {}
    /// Script::Answers with answer.
    ScriptedDirectory(Answer answer, int entryCount) : ScriptedDirectory(Script::Answers, entryCount, 16, answer) {}
    ~ScriptedDirectory();
    ScriptedDirectory(const ScriptedDirectory&) = delete;
    ScriptedDirectory& operator=(const ScriptedDirectory&) = delete;

    bool Running() const { return Port() > 0; }
    int Port() const { return m_listener.Port(); }
    /// The size limit of the last search request; -1 before any.
    int SizeLimitAsked() const { return m_sizeLimit.load(); }
    /// The page size of the last search request's paged-results control; -1 without one.
    int PageSizeAsked() const { return m_pageSize.load(); }
    /// True once a client abandoned a search.
    bool Abandoned() const { return m_abandoned.load(); }
    /// Entries sent over all connections.
    long EntriesSent() const { return m_entriesSent.load(); }
    /// True once the entries of EntriesThenQuiet (or the last page of PagesThenQuiet) are all in the client's hands
    /// (not only sent), or the whole answer of a script that sends it at once has been handed to the system.
    bool Delivered() const { return m_delivered.load(); }
    /// Connections closed by their client.
    int ConnectionsEnded() const { return m_ended.load(); }

private:
    using Socket = test_socket::Socket;

    ScriptedDirectory(Script script, int entryCount, std::size_t valueBytes, Answer answer);

    void Serve(Socket connection);
    void StreamEntries(Socket connection, int searchId);
    /// Sends entries first to first + m_entryCount - 1 and waits until the client has taken them.
    void DeliverEntries(Socket connection, int searchId, int first);
    /// Sends filler until the client leaves or the server is destroyed.
    void StreamFiller(Socket connection);
    /// The answer of the scripts whose answer is sent whole.
    std::string FixedAnswer(int searchId) const;

    Script m_script;
    Answer m_answers;
    int m_entryCount;
    std::size_t m_valueBytes;
    std::atomic<int> m_sizeLimit{-1};
    std::atomic<int> m_pageSize{-1};
    std::atomic<bool> m_abandoned{false};
    std::atomic<long> m_entriesSent{0};
    std::atomic<int> m_ended{0};
    std::atomic<bool> m_delivered{false};
    std::string m_answer;  ///< the FixedEntries answer for message id m_answerId
    int m_answerId = -1;
    ListenerThread m_listener;  ///< last: stops before the members its thread uses go
};
