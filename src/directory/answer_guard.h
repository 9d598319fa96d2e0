// answer_guard.h - watches the messages a server sends on one connection before the client
// library reads them: a bound on their bytes, messages of unknown kinds left out, and why the
// stream ended when it ended badly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "directory/ldap_client.h"

/**
 * Frames the bytes a server sends into messages by their headers (sequence, message id, kind of
 * operation). A message of a kind the client does not know is left out whole, so the library
 * never takes it for the end of the answer; a message that would take the bytes of the
 * connection beyond the bound ends the stream before its body is read, so a length the server
 * merely claims never costs memory; a header that is no message header ends the stream too.
 * Install() puts it on a connection's socket buffer above the secure layer; the guard must
 * outlive the connection.
 */
class AnswerGuard {
public:
    enum class Trouble {
        None,
        TooLarge,   ///< a message would have passed the bound
        Malformed,  ///< bytes that are no message header
        Ended,      ///< the server closed the connection
    };

    explicit AnswerGuard(std::uint64_t boundBytes) : m_bound(boundBytes) {}

    /// Puts the guard on the socket buffer of connection. False when the library refused.
    bool Install(LDAP* connection);
    /// Takes the guard off the socket buffer of connection again (before a layer of the sign-in is
    /// put under it, which the guard must sit above). False when it was not on it.
    bool Remove(LDAP* connection);

    /// Takes bytes as they came from the server and appends those of known messages to kept.
    /// Returns false once the stream went wrong (see Problem()); later bytes are refused.
    bool Take(const char* bytes, std::size_t count, std::string& kept);
    /// The server closed the connection.
    void End() { m_trouble = m_trouble == Trouble::None ? Trouble::Ended : m_trouble; }

    Trouble Problem() const { return m_trouble; }
    /// Messages left out because their kind is unknown.
    int Skipped() const { return m_skipped; }
    std::uint64_t Bound() const { return m_bound; }

    /// True while bytes kept for the library have not been handed over.
    bool HasPending() const { return m_handed < m_pending.size(); }
    /// Hands up to count kept bytes to out in the order they came; returns how many it handed.
    std::size_t Hand(char* out, std::size_t count);
    /// Appends the bytes of known messages among those that came from the server to the kept ones.
    bool TakeToPending(const char* bytes, std::size_t count) { return Take(bytes, count, m_pending); }

private:
    enum class Phase { Header, Pass, Skip };
    /// Looks at the held header: false while it is incomplete; sets m_trouble when it is bad.
    bool Decide(std::string& kept);

    std::uint64_t m_bound;
    std::uint64_t m_used = 0;
    Phase m_phase = Phase::Header;
    std::string m_header;
    std::uint64_t m_left = 0;
    Trouble m_trouble = Trouble::None;
    int m_skipped = 0;
    std::string m_pending;
    std::size_t m_handed = 0;  ///< the bytes at the front of m_pending already handed over
};
