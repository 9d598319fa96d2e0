// answer_guard.cpp - AnswerGuard: message headers read as they pass, and its socket-buffer layer.
#include "directory/answer_guard.h"

#include <algorithm>
#include <cerrno>
#include <optional>

#include "directory/socket_layer.h"

namespace {

constexpr unsigned char kSequence = 0x30;
constexpr unsigned char kInteger = 0x02;

/// The kinds of answer message the client library knows (RFC 4511 response operations).
bool KnownAnswer(unsigned char operation)
{
    switch (operation) {
        case 0x61:  // bind response
        case 0x64:  // search entry
        case 0x65:  // search done
        case 0x67:  // modify response
        case 0x69:  // add response
        case 0x6b:  // delete response
        case 0x6d:  // modify DN response
        case 0x6f:  // compare response
        case 0x73:  // search reference
        case 0x78:  // extended response
        case 0x79:  // intermediate response
            return true;
        default:
            return false;
    }
}

/** A definite length read at a position of a header. */
struct Length {
    std::uint64_t value = 0;
    std::size_t size = 0;  ///< bytes the length took
};

/// The length at header[at]: nullopt with more = true when bytes are missing.
std::optional<Length> ReadLength(const std::string& header, std::size_t at, bool& more)
{
    more = false;
    if (at >= header.size()) {
        more = true;
        return std::nullopt;
    }
    const auto first = static_cast<unsigned char>(header[at]);
    if ((first & 0x80) == 0) {
        return Length{first, 1};
    }
    const std::size_t count = first & 0x7f;
    if (count == 0 || count > 8) {
        return std::nullopt;  // indefinite or absurdly long: no length of a message
    }
    if (at + 1 + count > header.size()) {
        more = true;
        return std::nullopt;
    }
    Length length{0, 1 + count};
    for (std::size_t i = 0; i < count; ++i) {
        if (length.value >> 56 != 0) {
            return std::nullopt;
        }
        length.value = (length.value << 8) | static_cast<unsigned char>(header[at + 1 + i]);
    }
    return length;
}

AnswerGuard& GuardOf(Sockbuf_IO_Desc* layer)
{
    return LayerContext<AnswerGuard>(layer);
}

int Control(Sockbuf_IO_Desc* layer, int option, void* argument)
{
    // Bytes held here count as arrived, and so does a stream gone wrong: the library must read
    // them, or learn of the trouble, without waiting for the socket, which may stay quiet for good.
    if (option == LBER_SB_OPT_DATA_READY &&
        (GuardOf(layer).HasPending() || GuardOf(layer).Problem() != AnswerGuard::Trouble::None)) {
        return 1;
    }
    return LBER_SBIOD_CTRL_NEXT(layer, option, argument);
}

/// True when a layer's read that returned no bytes meant "nothing more yet" rather than "the end":
/// the library's layers say so with EWOULDBLOCK or EAGAIN (its secure layer while a record is
/// only partly in, or after a message of its own such as a session ticket).
bool NothingYet()
{
    return errno == EWOULDBLOCK || errno == EAGAIN;
}

ber_slen_t Read(Sockbuf_IO_Desc* layer, void* buffer, ber_len_t length)
{
    // The library takes a read shorter than it asked for as "nothing more has arrived": the
    // buffer is filled as far as the layers below have bytes, never left short while they hold some.
    AnswerGuard& guard = GuardOf(layer);
    auto* out = static_cast<char*>(buffer);
    std::size_t filled = 0;
    char piece[64 * 1024];
    for (;;) {
        filled += guard.Hand(out + filled, length - filled);
        if (filled == length) {
            return static_cast<ber_slen_t>(filled);
        }
        if (guard.Problem() != AnswerGuard::Trouble::None) {
            if (filled > 0) {
                return static_cast<ber_slen_t>(filled);
            }
            // The end of the stream is 0 with no error, as the layers below say it; bytes that
            // went wrong are an error the library does not retry.
            errno = guard.Problem() == AnswerGuard::Trouble::Ended ? 0 : EMSGSIZE;
            return guard.Problem() == AnswerGuard::Trouble::Ended ? 0 : -1;
        }
        // As the library does before it reads: an error left over from an earlier call must not
        // make the end of the stream look like "nothing yet".
        errno = 0;
        const ber_slen_t got = LBER_SBIOD_READ_NEXT(layer, piece, sizeof piece);
        if (got > 0) {
            guard.TakeToPending(piece, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 || NothingYet()) {
            // Would block, or the system's error: what came so far is handed over, and the next
            // read meets the same condition again. With nothing handed, the library sees the
            // layer's own answer (and its errno) unchanged.
            return filled > 0 ? static_cast<ber_slen_t>(filled) : got;
        }
        guard.End();
    }
}

ber_slen_t Write(Sockbuf_IO_Desc* layer, void* buffer, ber_len_t length)
{
    return LBER_SBIOD_WRITE_NEXT(layer, buffer, length);
}

Sockbuf_IO guardLayer = {KeepLayerContext, DropLayerContext, Control, Read, Write, nullptr};

}  // namespace

std::size_t AnswerGuard::Hand(char* out, std::size_t count)
{
    // The library reads a few bytes at a time: the kept bytes move only once all are handed over.
    const std::size_t handed = std::min(count, m_pending.size() - m_handed);
    m_pending.copy(out, handed, m_handed);
    m_handed += handed;
    if (m_handed == m_pending.size()) {
        m_pending.clear();
        m_handed = 0;
    }
    return handed;
}

bool AnswerGuard::Install(LDAP* connection)
{
    Sockbuf* buffer = nullptr;
    if (ldap_get_option(connection, LDAP_OPT_SOCKBUF, &buffer) != LDAP_OPT_SUCCESS || buffer == nullptr) {
        return false;
    }
    // The library's own bound on one message, in case a message reaches it some other way.
    ber_len_t largest = m_bound > static_cast<std::uint64_t>(static_cast<ber_len_t>(-1) >> 1)
                            ? static_cast<ber_len_t>(-1) >> 1
                            : static_cast<ber_len_t>(m_bound);
    ber_sockbuf_ctrl(buffer, LBER_SB_OPT_SET_MAX_INCOMING, &largest);
    return ber_sockbuf_add_io(buffer, &guardLayer, LBER_SBIOD_LEVEL_APPLICATION, this) == 0;
}

bool AnswerGuard::Remove(LDAP* connection)
{
    Sockbuf* buffer = nullptr;
    if (ldap_get_option(connection, LDAP_OPT_SOCKBUF, &buffer) != LDAP_OPT_SUCCESS || buffer == nullptr) {
        return false;
    }
    return ber_sockbuf_remove_io(buffer, &guardLayer, LBER_SBIOD_LEVEL_APPLICATION) == 0;
}

bool AnswerGuard::Take(const char* bytes, std::size_t count, std::string& kept)
{
    std::size_t at = 0;
    while (at < count && m_trouble == Trouble::None) {
        if (m_phase == Phase::Header) {
            m_header.push_back(bytes[at++]);
            Decide(kept);
            continue;
        }
        const std::size_t part = static_cast<std::size_t>(std::min<std::uint64_t>(m_left, count - at));
        if (m_phase == Phase::Pass) {
            kept.append(bytes + at, part);
        }
        at += part;
        m_left -= part;
        if (m_left == 0) {
            m_phase = Phase::Header;
        }
    }
    return m_trouble == Trouble::None;
}

bool AnswerGuard::Decide(std::string& kept)
{
    // LDAPMessage ::= SEQUENCE { messageID INTEGER, protocolOp CHOICE {...}, ... }
    const auto bad = [this] {
        m_trouble = Trouble::Malformed;
        return false;
    };
    if (static_cast<unsigned char>(m_header[0]) != kSequence) {
        return bad();
    }
    bool more = false;
    const std::optional<Length> total = ReadLength(m_header, 1, more);
    if (!total) {
        return more ? false : bad();
    }
    const std::size_t idAt = 1 + total->size;
    if (m_header.size() <= idAt) {
        return false;
    }
    if (static_cast<unsigned char>(m_header[idAt]) != kInteger) {
        return bad();
    }
    const std::optional<Length> idLength = ReadLength(m_header, idAt + 1, more);
    if (!idLength) {
        return more ? false : bad();
    }
    if (idLength->value == 0 || idLength->value > 4) {
        return bad();
    }
    const std::size_t operationAt = idAt + 1 + idLength->size + static_cast<std::size_t>(idLength->value);
    if (m_header.size() <= operationAt) {
        return false;
    }
    // The whole message counts against the bound before a byte of its body is read.
    const std::uint64_t size = 1 + total->size + total->value;
    if (size > m_bound - m_used) {
        m_trouble = Trouble::TooLarge;
        return false;
    }
    const bool known = KnownAnswer(static_cast<unsigned char>(m_header[operationAt]));
    if (known) {
        // The operation must fit in its message: the library takes one that claims more for a
        // message it cannot decode and keeps the operation's request for good.
        const std::optional<Length> operation = ReadLength(m_header, operationAt + 1, more);
        if (!operation) {
            return more ? false : bad();
        }
        const std::uint64_t operationBody = operationAt + 1 + operation->size;
        if (operationBody > size || operation->value > size - operationBody) {
            return bad();
        }
    }
    const std::uint64_t contentHeld = m_header.size() - 1 - total->size;
    if (total->value < contentHeld) {
        return bad();  // the message claims to end inside its own header
    }
    m_used += size;
    m_left = total->value - contentHeld;
    if (known) {
        kept += m_header;
        m_phase = Phase::Pass;
    } else {
        ++m_skipped;
        m_phase = Phase::Skip;
    }
    m_header.clear();
    if (m_left == 0) {
        m_phase = Phase::Header;
    }
    return true;
}
