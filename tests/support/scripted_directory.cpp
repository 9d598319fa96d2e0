// scripted_directory.cpp - ScriptedDirectory: a minimal BER encoder and reader and the scripts.
#include "scripted_directory.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

namespace ts = test_socket;
using ts::Socket;

// LDAP protocol tags of the messages the scripts read and write.
constexpr unsigned char kSequence = 0x30;
constexpr unsigned char kInteger = 0x02;
constexpr unsigned char kOctets = 0x04;
constexpr unsigned char kEnumerated = 0x0a;
constexpr unsigned char kSet = 0x31;
constexpr unsigned char kBindRequest = 0x60;
constexpr unsigned char kBindResponse = 0x61;
constexpr unsigned char kUnbindRequest = 0x42;
constexpr unsigned char kSearchRequest = 0x63;
constexpr unsigned char kSearchEntry = 0x64;
constexpr unsigned char kSearchDone = 0x65;
constexpr unsigned char kAbandonRequest = 0x50;
constexpr unsigned char kControls = 0xa0;
constexpr int kSizeLimitExceeded = 4;
const char* const kPagedResults = "1.2.840.113556.1.4.319";
const char* const kNextPageCookie = "page 2";

std::string Tlv(unsigned char tag, const std::string& content)
{
    std::string out(1, static_cast<char>(tag));
    const std::size_t length = content.size();
    if (length < 0x80) {
        out += static_cast<char>(length);
    } else {
        std::string bytes;
        for (std::size_t rest = length; rest != 0; rest >>= 8) {
            bytes.insert(bytes.begin(), static_cast<char>(rest & 0xff));
        }
        out += static_cast<char>(0x80 | bytes.size());
        out += bytes;
    }
    return out + content;
}

std::string Integer(unsigned char tag, int value)
{
    std::string bytes;
    do {
        bytes.insert(bytes.begin(), static_cast<char>(value & 0xff));
        value >>= 8;
    } while (value != 0);
    if (static_cast<unsigned char>(bytes.front()) & 0x80) {
        bytes.insert(bytes.begin(), '\0');
    }
    return Tlv(tag, bytes);
}

std::string Message(int id, const std::string& operation)
{
    return Tlv(kSequence, Integer(kInteger, id) + operation);
}

std::string Result(unsigned char tag, int code, const std::string& text = {})
{
    return Tlv(tag, Integer(kEnumerated, code) + Tlv(kOctets, "") + Tlv(kOctets, text));
}

std::string Entry(int id, long number, std::size_t valueBytes)
{
    const std::string name = "Person " + std::to_string(number);
    std::string value = name;
    value.resize(std::max(valueBytes, name.size()), 'x');
    const std::string attribute = Tlv(kSequence, Tlv(kOctets, "cn") + Tlv(kSet, Tlv(kOctets, value)));
    return Message(id, Tlv(kSearchEntry,
                           Tlv(kOctets, "cn=" + name + ",ou=people,dc=corvane,dc=test") + Tlv(kSequence, attribute)));
}

/// One entry of attributeCount attributes: "cn" and "CN" first, with different values.
std::string WideEntry(int id, int attributeCount)
{
    std::string attributes = Tlv(kSequence, Tlv(kOctets, "cn") + Tlv(kSet, Tlv(kOctets, "lower"))) +
                             Tlv(kSequence, Tlv(kOctets, "CN") + Tlv(kSet, Tlv(kOctets, "upper")));
    for (int n = 0; n < attributeCount; ++n) {
        const std::string name = "a" + std::to_string(n);
        attributes += Tlv(kSequence, Tlv(kOctets, name) + Tlv(kSet, Tlv(kOctets, "v" + std::to_string(n))));
    }
    return Message(id, Tlv(kSearchEntry, Tlv(kOctets, "cn=Wide,dc=corvane,dc=test") + Tlv(kSequence, attributes)));
}

/// A search's last page: "done" with the paged-results control and its cookie (empty: no more).
std::string PageEnd(int id, const std::string& cookie)
{
    const std::string value = Tlv(kSequence, Integer(kInteger, 0) + Tlv(kOctets, cookie));
    const std::string control = Tlv(kSequence, Tlv(kOctets, kPagedResults) + Tlv(kOctets, value));
    return Tlv(kSequence, Integer(kInteger, id) + Result(kSearchDone, 0) + Tlv(kControls, control));
}

/** One tag-length-value read from a byte string. */
struct Element {
    unsigned char tag = 0;
    std::string content;
};

std::optional<Element> ReadElement(const std::string& bytes, std::size_t& at)
{
    if (at + 2 > bytes.size()) {
        return std::nullopt;
    }
    Element element;
    element.tag = static_cast<unsigned char>(bytes[at++]);
    std::size_t length = static_cast<unsigned char>(bytes[at++]);
    if (length & 0x80) {
        const std::size_t count = length & 0x7f;
        length = 0;
        for (std::size_t i = 0; i < count && at < bytes.size(); ++i) {
            length = (length << 8) | static_cast<unsigned char>(bytes[at++]);
        }
    }
    if (at + length > bytes.size()) {
        return std::nullopt;
    }
    element.content = bytes.substr(at, length);
    at += length;
    return element;
}

int IntegerValue(const std::string& content)
{
    int value = 0;
    for (const char byte : content) {
        value = (value << 8) | static_cast<unsigned char>(byte);
    }
    return value;
}

bool SendAll(Socket connection, const std::string& bytes)
{
    return ts::SendAll(connection, bytes.data(), bytes.size());
}

/** A request read from the client: its message id, operation tag, operation content and the
    content of its controls (empty without). */
struct Request {
    int id = 0;
    unsigned char operation = 0;
    std::string content;
    std::string controls;
};

/// Reads bytes until one whole message is in buffer; nullopt when the client left or wake fired.
std::optional<Request> ReadRequest(Socket connection, Socket wake, std::string& buffer)
{
    for (;;) {
        std::size_t at = 0;
        if (const std::optional<Element> message = ReadElement(buffer, at)) {
            buffer.erase(0, at);
            std::size_t inner = 0;
            const std::optional<Element> id = ReadElement(message->content, inner);
            const std::optional<Element> operation = ReadElement(message->content, inner);
            if (!id || !operation) {
                return std::nullopt;
            }
            const std::optional<Element> controls = ReadElement(message->content, inner);
            return Request{IntegerValue(id->content), operation->tag, operation->content,
                           controls && controls->tag == kControls ? controls->content : std::string()};
        }
        if (ts::Wait(connection, false, wake) & ts::kWoken) {
            return std::nullopt;
        }
        char chunk[4096];
        const long got = ts::Receive(connection, chunk, sizeof chunk);
        if (got <= 0) {
            return std::nullopt;
        }
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
}

/// The size limit of a search request: base, scope, alias rule, then the size limit.
int SizeLimitOf(const std::string& search)
{
    std::size_t at = 0;
    for (int field = 0; field < 3; ++field) {
        if (!ReadElement(search, at)) {
            return -1;
        }
    }
    const std::optional<Element> limit = ReadElement(search, at);
    return limit ? IntegerValue(limit->content) : -1;
}

/** What a paged-results control asked for. */
struct PageRequest {
    int size = -1;  ///< -1: no such control
    std::string cookie;
};

PageRequest PageRequestOf(const std::string& controls)
{
    std::size_t at = 0;
    while (const std::optional<Element> control = ReadElement(controls, at)) {
        std::size_t field = 0;
        const std::optional<Element> type = ReadElement(control->content, field);
        if (!type || type->content != kPagedResults) {
            continue;
        }
        std::optional<Element> value = ReadElement(control->content, field);
        if (value && value->tag != kOctets) {
            value = ReadElement(control->content, field);  // past the criticality
        }
        std::size_t inValue = 0;
        const std::optional<Element> sequence = value ? ReadElement(value->content, inValue) : std::nullopt;
        std::size_t inSequence = 0;
        const std::optional<Element> size = sequence ? ReadElement(sequence->content, inSequence) : std::nullopt;
        const std::optional<Element> cookie = sequence ? ReadElement(sequence->content, inSequence) : std::nullopt;
        if (size && cookie) {
            return PageRequest{IntegerValue(size->content), cookie->content};
        }
    }
    return {};
}

}  // namespace

ScriptedDirectory::ScriptedDirectory(Script script, int entryCount, std::size_t valueBytes, Answer answer)
    : m_script(script),
      m_answers(std::move(answer)),
      m_entryCount(entryCount),
      m_valueBytes(valueBytes),
      m_listener([this](Socket connection) {
          Serve(connection);
          return false;  // one connection after another, each closed when served
      })
{}

ScriptedDirectory::~ScriptedDirectory() = default;

void ScriptedDirectory::Serve(Socket connection)
{
    std::string buffer;
    for (;;) {
        const std::optional<Request> request = ReadRequest(connection, m_listener.WakeSocket(), buffer);
        if (!request) {
            break;
        }
        if (request->operation == kBindRequest) {
            const int code = m_script == Script::Answers ? m_answers.bindCode : 0;
            const std::string response = Message(request->id, Result(kBindResponse, code, code ? m_answers.text : ""));
            if (m_script == Script::QuietInBind) {
                SendAll(connection, response.substr(0, 3));
                continue;  // and never the rest
            }
            SendAll(connection, response);
        } else if (request->operation == kSearchRequest) {
            m_sizeLimit.store(SizeLimitOf(request->content));
            const PageRequest page = PageRequestOf(request->controls);
            m_pageSize.store(page.size);
            if (m_script == Script::QuietInSearch) {
                SendAll(connection, Entry(request->id, 0, m_valueBytes).substr(0, 4));
            } else if (m_script == Script::EntriesThenQuiet) {
                DeliverEntries(connection, request->id, 0);
            } else if (m_script == Script::PagesThenQuiet && page.size < 0) {
                for (int n = 0; n < m_entryCount; ++n) {
                    SendAll(connection, Entry(request->id, n, m_valueBytes));
                }
                SendAll(connection, Message(request->id, Result(kSearchDone, kSizeLimitExceeded)));
            } else if (m_script == Script::PagesThenQuiet && page.cookie.empty()) {
                for (int n = 0; n < m_entryCount; ++n) {
                    SendAll(connection, Entry(request->id, n, m_valueBytes));
                    ++m_entriesSent;
                }
                SendAll(connection, PageEnd(request->id, kNextPageCookie));
            } else if (m_script == Script::PagesThenQuiet) {
                DeliverEntries(connection, request->id, page.cookie == kNextPageCookie ? m_entryCount : 0);
            } else if (m_script == Script::EndlessEntries) {
                StreamEntries(connection, request->id);
            } else if (m_script == Script::HugeClaim) {
                SendAll(connection,
                        std::string("\x30\x84\xff\xff\xff\xff\x02\x01", 8) + static_cast<char>(request->id) + "\x64");
                StreamFiller(connection);
            } else if (m_script == Script::ClosedMidAnswer) {
                const std::string second = Entry(request->id, 1, m_valueBytes);
                SendAll(connection, Entry(request->id, 0, m_valueBytes) + second.substr(0, second.size() / 2));
                break;
            } else if (m_script == Script::Answers) {
                for (int n = 0; n < m_entryCount; ++n) {
                    SendAll(connection, Entry(request->id, n, m_valueBytes));
                }
                SendAll(connection, Message(request->id, Result(kSearchDone, m_answers.searchCode, m_answers.text)));
            } else if (m_script != Script::FixedEntries) {
                SendAll(connection, FixedAnswer(request->id));
                m_delivered.store(true);
            } else {
                // Made once, so that timing a search measures the client, not this server.
                if (m_answerId != request->id) {
                    m_answer.clear();
                    for (int n = 0; n < m_entryCount; ++n) {
                        m_answer += Entry(request->id, n, m_valueBytes);
                    }
                    m_answer += Message(request->id, Result(kSearchDone, 0));
                    m_answerId = request->id;
                }
                SendAll(connection, m_answer);
                m_entriesSent += m_entryCount;
            }
        } else if (request->operation == kAbandonRequest) {
            m_abandoned.store(true);
        } else if (request->operation == kUnbindRequest) {
            break;
        }
    }
    ++m_ended;
}

std::string ScriptedDirectory::FixedAnswer(int searchId) const
{
    switch (m_script) {
        case Script::ManyAttributes:
            return WideEntry(searchId, m_entryCount) + Message(searchId, Result(kSearchDone, 0));
        case Script::UnknownMessage: {
            // Application tag 10, constructed: no operation of the protocol.
            std::string answer = Message(searchId, Tlv(0x6a, Tlv(kOctets, "what is this")));
            for (int n = 0; n < m_entryCount; ++n) {
                answer += Entry(searchId, n, m_valueBytes);
            }
            return answer + Message(searchId, Result(kSearchDone, 0));
        }
        case Script::MalformedEntry:
            // A frame of the right kind whose content claims more than it holds.
            return Message(searchId, Tlv(kSearchEntry, std::string("\x04\x7f"
                                                                   "cn=short",
                                                                   10)));
        case Script::StrayBytes: {
            std::string answer;
            for (int n = 0; n < m_entryCount; ++n) {
                answer += Entry(searchId, n, m_valueBytes);
            }
            return answer + "\x05stray";
        }
        case Script::ControlEntry: {
            const std::string contexts = Tlv(kOctets, "dc=one\r\ndc=two") + Tlv(kOctets, "dc=bell\a\x1b[2J");
            const std::string attributes =
                Tlv(kSequence, Tlv(kOctets, "namingContexts") + Tlv(kSet, contexts)) +
                Tlv(kSequence, Tlv(kOctets, "cn") + Tlv(kSet, Tlv(kOctets, "two\r\nlines\x1b[31m")));
            return Message(searchId, Tlv(kSearchEntry, Tlv(kOctets, "cn=two\nlines,dc=corvane,dc=test") +
                                                           Tlv(kSequence, attributes))) +
                   Message(searchId, Result(kSearchDone, 0));
        }
        case Script::SeveralBases:
        case Script::GlobalCatalog: {
            std::string attributes = Tlv(kSequence, Tlv(kOctets, "namingContexts") +
                                                        Tlv(kSet, Tlv(kOctets, "dc=one") + Tlv(kOctets, "dc=two"))) +
                                     Tlv(kSequence, Tlv(kOctets, "cn") + Tlv(kSet, Tlv(kOctets, "Several")));
            if (m_script == Script::GlobalCatalog) {
                attributes += Tlv(kSequence, Tlv(kOctets, "isGlobalCatalogReady") + Tlv(kSet, Tlv(kOctets, "TRUE")));
            }
            return Message(searchId,
                           Tlv(kSearchEntry, Tlv(kOctets, "cn=Several,dc=one") + Tlv(kSequence, attributes))) +
                   Message(searchId, Result(kSearchDone, 0));
        }
        case Script::ControlText:
            return Message(searchId, Tlv(kSearchDone, Integer(kEnumerated, 53) + Tlv(kOctets, "") +
                                                          Tlv(kOctets, "line one\nline two\x1b[2J")));
        default:
            return {};
    }
}

void ScriptedDirectory::DeliverEntries(Socket connection, int searchId, int first)
{
    for (int n = first; n < first + m_entryCount; ++n) {
        SendAll(connection, Entry(searchId, n, m_valueBytes));
        ++m_entriesSent;
    }
    // Sent is not yet arrived: wait until the client's side has taken every byte.
    ts::WaitUntilTaken(connection);
    m_delivered.store(true);
}

void ScriptedDirectory::StreamFiller(Socket connection)
{
    const std::string filler(64 * 1024, 'x');
    for (;;) {
        // Whatever the client sends is left unread; only its leaving ends the filler.
        if (ts::Wait(connection, true, m_listener.WakeSocket()) & (ts::kWoken | ts::kClosed)) {
            return;
        }
        if (!SendAll(connection, filler)) {
            return;
        }
    }
}

void ScriptedDirectory::StreamEntries(Socket connection, int searchId)
{
    std::string incoming;
    for (long n = 0;; ++n) {
        const int ready = ts::Wait(connection, true, m_listener.WakeSocket());
        if (ready & ts::kWoken) {
            return;
        }
        if (ready & (ts::kReadable | ts::kClosed)) {
            // Whatever the client says now (an abandon, an unbind) or its leaving ends the stream.
            const std::optional<Request> request = ReadRequest(connection, m_listener.WakeSocket(), incoming);
            if (request && request->operation == kAbandonRequest) {
                m_abandoned.store(true);
            }
            return;
        }
        if (!SendAll(connection, Entry(searchId, n, m_valueBytes))) {
            return;
        }
        ++m_entriesSent;
    }
}
