// scripted_directory.cpp - ScriptedDirectory: the messages of the scripts and their playing.
#include "scripted_directory.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "ber_elements.h"
#include "message_stream.h"

namespace {

namespace ts = test_socket;
using ts::Socket;

using ber::Element;
using ber::Integer;
using ber::IntegerValue;
using ber::kAbandonRequest;
using ber::kBindRequest;
using ber::kBindResponse;
using ber::kControls;
using ber::kEnumerated;
using ber::kInteger;
using ber::kOctets;
using ber::kSearchDone;
using ber::kSearchEntry;
using ber::kSearchRequest;
using ber::kSequence;
using ber::kSet;
using ber::kUnbindRequest;
using ber::Tlv;

constexpr int kSizeLimitExceeded = 4;
const char* const kNextPageCookie = "page 2";

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
    const std::string control = Tlv(kSequence, Tlv(kOctets, ber::kPagedResultsOid) + Tlv(kOctets, value));
    return Tlv(kSequence, Integer(kInteger, id) + Result(kSearchDone, 0) + Tlv(kControls, control));
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
    std::string bytes;
    if (!NextMessage(connection, wake, buffer, bytes)) {
        return std::nullopt;
    }
    const auto parts = ber::MessageParts(bytes);
    if (!parts || parts->size() < 2) {
        return std::nullopt;
    }
    const Element& operation = (*parts)[1];
    const bool controls = parts->size() > 2 && (*parts)[2].tag == kControls;
    return Request{static_cast<int>(IntegerValue(parts->front().content)), operation.tag, operation.content,
                   controls ? (*parts)[2].content : std::string()};
}

/// The size limit of a search request: base, scope, alias rule, then the size limit.
int SizeLimitOf(const std::string& search)
{
    std::size_t at = 0;
    for (int field = 0; field < 3; ++field) {
        if (!ber::Read(search, at)) {
            return -1;
        }
    }
    const std::optional<Element> limit = ber::Read(search, at);
    return limit ? static_cast<int>(IntegerValue(limit->content)) : -1;
}

/** What a paged-results control asked for. */
struct PageRequest {
    int size = -1;  ///< -1: no such control
    std::string cookie;
};

PageRequest PageRequestOf(const std::string& controls)
{
    std::size_t at = 0;
    while (const std::optional<Element> control = ber::Read(controls, at)) {
        std::size_t field = 0;
        const std::optional<Element> type = ber::Read(control->content, field);
        if (!type || type->content != ber::kPagedResultsOid) {
            continue;
        }
        std::optional<Element> value = ber::Read(control->content, field);
        if (value && value->tag != kOctets) {
            value = ber::Read(control->content, field);  // past the criticality
        }
        std::size_t inValue = 0;
        const std::optional<Element> sequence = value ? ber::Read(value->content, inValue) : std::nullopt;
        std::size_t inSequence = 0;
        const std::optional<Element> size = sequence ? ber::Read(sequence->content, inSequence) : std::nullopt;
        const std::optional<Element> cookie = sequence ? ber::Read(sequence->content, inSequence) : std::nullopt;
        if (size && cookie) {
            return PageRequest{static_cast<int>(IntegerValue(size->content)), cookie->content};
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
