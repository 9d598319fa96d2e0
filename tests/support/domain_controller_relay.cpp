// domain_controller_relay.cpp - DomainControllerRelay: the messages of each connection read whole,
// the searches the client asked for remembered by message id, and their answers changed as a
// domain controller gives them.
#include "domain_controller_relay.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "ber_elements.h"
#include "message_stream.h"

namespace ts = test_socket;

namespace {

constexpr int kSizeLimitExceeded = 4;

/** The values a request asked for by "name;range=FIRST-LAST" (no last: "FIRST-*"). */
struct Range {
    std::size_t first = 0;
    std::optional<std::size_t> last;
};

/** What the relay keeps of one search until its answer is done. */
struct Search {
    std::map<std::string, Range> ranges;  ///< by the attribute's name in lower case
    bool paged = false;
    std::size_t entries = 0;
    bool cut = false;  ///< entries beyond the page bound were not passed on
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

/// name without its range option, and the range; nullopt when it has none.
std::optional<std::pair<std::string, Range>> SplitRange(const std::string& name)
{
    const std::size_t at = Lower(name).find(";range=");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const std::string bounds = name.substr(at + 7);
    const std::size_t dash = bounds.find('-');
    if (dash == std::string::npos || dash == 0) {
        return std::nullopt;
    }
    Range range;
    range.first = std::stoul(bounds.substr(0, dash));
    if (bounds.substr(dash + 1) != "*") {
        range.last = std::stoul(bounds.substr(dash + 1));
    }
    return std::make_pair(name.substr(0, at), range);
}

std::string Joined(const std::vector<ber::Element>& elements)
{
    std::string bytes;
    for (const ber::Element& element : elements) {
        bytes += ber::Tlv(element.tag, element.content);
    }
    return bytes;
}

/// The attributes of an entry cut to their ranges: those asked for with a range from its first
/// value on, the others to their first maxValues values when they have more.
std::string RangedAttributes(const std::string& attributes, const Search& search, std::size_t maxValues)
{
    const auto list = ber::Elements(attributes);
    if (!list) {
        return attributes;
    }
    std::string out;
    for (const ber::Element& attribute : *list) {
        const auto parts = ber::Elements(attribute.content);
        if (!parts || parts->size() != 2) {
            out += ber::Tlv(attribute.tag, attribute.content);
            continue;
        }
        const std::string& name = (*parts)[0].content;
        const auto values = ber::Elements((*parts)[1].content);
        const auto asked = search.ranges.find(Lower(name));
        if (!values || (asked == search.ranges.end() && values->size() <= maxValues)) {
            out += ber::Tlv(attribute.tag, attribute.content);
            continue;
        }
        const Range range = asked != search.ranges.end() ? asked->second : Range{0, std::nullopt};
        if (range.first >= values->size()) {
            continue;  // no value in the range asked for
        }
        std::size_t last = std::min(range.first + maxValues, values->size()) - 1;
        if (range.last) {
            last = std::min(last, *range.last);
        }
        const std::string shownLast = last + 1 == values->size() ? "*" : std::to_string(last);
        const std::vector<ber::Element> kept(values->begin() + static_cast<std::ptrdiff_t>(range.first),
                                             values->begin() + static_cast<std::ptrdiff_t>(last) + 1);
        const std::string ranged = name + ";range=" + std::to_string(range.first) + "-" + shownLast;
        out += ber::Tlv(attribute.tag, ber::Tlv(ber::kOctets, ranged) + ber::Tlv((*parts)[1].tag, Joined(kept)));
    }
    return out;
}

}  // namespace

/** The searches of one connection whose answers are not done, by message id. */
struct DomainControllerRelay::Searches {
    std::mutex mutex;  ///< guards byId: both directions of the connection use it
    std::map<long, Search> byId;
};

DomainControllerRelay::DomainControllerRelay(std::string targetHost, int targetPort, Limits limits)
    : m_limits{std::max<std::size_t>(limits.maxValues, 1), std::max<std::size_t>(limits.maxPage, 1), limits.holdRanges},
      m_links(std::move(targetHost), targetPort, [this](Socket, Socket) {
          auto searches = std::make_shared<Searches>();
          return RelayLinks::Passes{[this, searches](Socket from, Socket to) { PassRequests(from, to, *searches); },
                                    [this, searches](Socket from, Socket to) {
                                        PassAnswers(from, to, *searches);
                                    }};
      })
{}

void DomainControllerRelay::PassRequests(Socket client, Socket server, Searches& searches)
{
    std::string buffer;
    std::string message;
    while (!m_links.Stopping() && NextMessage(client, m_links.WakeSocket(), buffer, message)) {
        auto parts = ber::MessageParts(message);
        if (!parts || parts->size() < 2 || (*parts)[1].tag != ber::kSearchRequest) {
            if (!ts::SendAll(server, message.data(), message.size())) {
                return;
            }
            continue;
        }
        Search search;
        ber::Element& request = (*parts)[1];
        auto fields = ber::Elements(request.content);
        if (fields && fields->size() == 8) {
            // The attribute list is the request's last field: names with a range ask for the plain name.
            std::vector<ber::Element> names =
                ber::Elements(fields->back().content).value_or(std::vector<ber::Element>{});
            for (ber::Element& name : names) {
                if (auto split = SplitRange(name.content)) {
                    search.ranges[Lower(split->first)] = split->second;
                    name.content = split->first;
                }
            }
            fields->back().content = Joined(names);
            request.content = Joined(*fields);
        }
        if (parts->size() > 2 && (*parts)[2].tag == ber::kControls) {
            std::vector<ber::Element> controls =
                ber::Elements((*parts)[2].content).value_or(std::vector<ber::Element>{});
            for (ber::Element& control : controls) {
                auto controlParts = ber::Elements(control.content);
                if (!controlParts || controlParts->empty() || controlParts->front().content != ber::kPagedResultsOid) {
                    continue;
                }
                search.paged = true;
                auto value = ber::Elements(controlParts->back().content);
                if (!value || value->size() != 1) {
                    continue;
                }
                auto page = ber::Elements(value->front().content);
                if (page && page->size() == 2 &&
                    ber::IntegerValue((*page)[0].content) > static_cast<long>(m_limits.maxPage)) {
                    (*page)[0].content = ber::Integer(ber::kInteger, static_cast<long>(m_limits.maxPage)).substr(2);
                    ++m_pagesBounded;
                    controlParts->back().content = ber::Tlv(ber::kSequence, Joined(*page));
                    control.content = Joined(*controlParts);
                }
            }
            (*parts)[2].content = Joined(controls);
        }
        const long id = ber::IntegerValue((*parts)[0].content);
        const bool ranged = !search.ranges.empty();
        {
            const std::lock_guard<std::mutex> lock(searches.mutex);
            searches.byId[id] = std::move(search);
        }
        if (ranged) {
            ++m_rangeRequests;
            if (m_limits.holdRanges) {
                continue;
            }
        }
        message = ber::Tlv(ber::kSequence, Joined(*parts));
        if (!ts::SendAll(server, message.data(), message.size())) {
            return;
        }
    }
}

void DomainControllerRelay::PassAnswers(Socket server, Socket client, Searches& searches)
{
    std::string buffer;
    std::string message;
    while (!m_links.Stopping() && NextMessage(server, m_links.WakeSocket(), buffer, message)) {
        auto parts = ber::MessageParts(message);
        const unsigned char kind = parts && parts->size() >= 2 ? (*parts)[1].tag : 0;
        if (kind == ber::kSearchEntry || kind == ber::kSearchDone) {
            const long id = ber::IntegerValue((*parts)[0].content);
            const std::lock_guard<std::mutex> lock(searches.mutex);
            const auto found = searches.byId.find(id);
            if (found != searches.byId.end()) {
                Search& search = found->second;
                ber::Element& operation = (*parts)[1];
                auto fields = ber::Elements(operation.content);
                if (kind == ber::kSearchEntry) {
                    if (!search.paged && ++search.entries > m_limits.maxPage) {
                        if (!search.cut) {
                            ++m_pagesBounded;
                        }
                        search.cut = true;
                        continue;  // beyond the bound of an answer without pages
                    }
                    if (fields && fields->size() == 2) {
                        fields->back().content = RangedAttributes(fields->back().content, search, m_limits.maxValues);
                        operation.content = Joined(*fields);
                    }
                } else {
                    if (search.cut && fields && !fields->empty() && ber::IntegerValue(fields->front().content) == 0) {
                        fields->front().content = ber::Integer(ber::kEnumerated, kSizeLimitExceeded).substr(2);
                        operation.content = Joined(*fields);
                    }
                    searches.byId.erase(found);
                }
                message = ber::Tlv(ber::kSequence, Joined(*parts));
            }
        }
        if (!ts::SendAll(client, message.data(), message.size())) {
            return;
        }
    }
}
