// scripted_answer.h - a directory server's answer played from bytes on a socket pair, for the
// answer fuzzer: the search's connection gets one end of the pair in place of a TCP connection.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

/**
 * Serves one connection of a search with fixed bytes: while it lives, the search's TCP connect
 * (replaced in the fuzz build) hands out the client end of a socket pair, and a writer thread
 * sends the bytes in the given pieces, each once the client has read everything before it, so the
 * client meets every piece boundary as a read that stops there. The requests the client sends are
 * read and dropped. After the last piece the writer closes its sending side, so the client sees
 * the server leave. One answer at a time; the writer is joined when the answer is destroyed.
 */
class ScriptedAnswer {
public:
    /// bytes: the server's whole answer; pieces: the sizes it is sent in (what is left after them
    /// goes in one last piece).
    ScriptedAnswer(std::string_view bytes, std::vector<std::size_t> pieces);
    ~ScriptedAnswer();
    ScriptedAnswer(const ScriptedAnswer&) = delete;
    ScriptedAnswer& operator=(const ScriptedAnswer&) = delete;

    /// The client end, once: the first connect of a search gets it, any later one gets -1.
    int TakeClientSocket();
    /// The answer being played, or nullptr.
    static ScriptedAnswer* Current();

private:
    void Serve();

    std::string m_bytes;
    std::vector<std::size_t> m_pieces;
    int m_server = -1;
    int m_client = -1;
    bool m_clientTaken = false;
    int m_wake = -1;  ///< tells the writer the answer is over
    std::atomic<bool> m_done{false};
    std::thread m_writer;
};
