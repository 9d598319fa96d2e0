// service_records.cpp - SRV records read strictly from a DNS answer, and put in the order of
// their priorities and weights.
#include "directory/service_records.h"

#include <algorithm>
#include <random>

namespace {

constexpr std::uint16_t kTypeSrv = 33;
constexpr std::size_t kHeaderBytes = 12;
/// The most labels and pointers one name may take: more is a loop.
constexpr int kLongestName = 128;

/** Reads a DNS message front to back; every read is checked against its end. */
class MessageReader {
public:
    explicit MessageReader(std::string_view message) : m_message(message) {}

    bool Number(std::size_t& at, std::uint16_t& value) const
    {
        if (at + 2 > m_message.size()) {
            return false;
        }
        value = static_cast<std::uint16_t>((Byte(at) << 8) | Byte(at + 1));
        at += 2;
        return true;
    }

    /// The name at at (following compression pointers), at moved past it where it stands.
    bool Name(std::size_t& at, std::string& name) const
    {
        name.clear();
        std::size_t reading = at;
        bool jumped = false;
        for (int step = 0; step < kLongestName; ++step) {
            if (reading >= m_message.size()) {
                return false;
            }
            const unsigned length = Byte(reading);
            if (length == 0) {
                if (!jumped) {
                    at = reading + 1;
                }
                return true;
            }
            if ((length & 0xC0) == 0xC0) {
                if (reading + 2 > m_message.size()) {
                    return false;
                }
                if (!jumped) {
                    at = reading + 2;
                }
                jumped = true;
                reading = ((length & 0x3F) << 8) | Byte(reading + 1);
                continue;
            }
            if ((length & 0xC0) != 0 || reading + 1 + length > m_message.size()) {
                return false;
            }
            name += (name.empty() ? "" : ".") + std::string(m_message.substr(reading + 1, length));
            reading += 1 + length;
        }
        return false;
    }

    std::size_t Size() const { return m_message.size(); }

private:
    unsigned Byte(std::size_t at) const { return static_cast<unsigned char>(m_message[at]); }

    std::string_view m_message;
};

std::uint32_t RandomBelow(std::uint32_t n)
{
    static thread_local std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(generator);
}

}  // namespace

std::string ServiceRecordName(const std::string& domain, int32_t port)
{
    return (port == 3268 || port == 3269 ? "_gc._tcp." : "_ldap._tcp.") + domain;
}

std::optional<std::vector<ServiceRecord>> ReadServiceAnswer(std::string_view message)
{
    const MessageReader reader(message);
    std::size_t at = 4;
    std::uint16_t questions = 0, answers = 0;
    if (message.size() < kHeaderBytes || !reader.Number(at, questions) || !reader.Number(at, answers)) {
        return std::nullopt;
    }
    at = kHeaderBytes;
    std::string name;
    for (std::uint16_t i = 0; i < questions; ++i) {
        std::uint16_t type = 0, klass = 0;
        if (!reader.Name(at, name) || !reader.Number(at, type) || !reader.Number(at, klass)) {
            return std::nullopt;
        }
    }
    std::vector<ServiceRecord> records;
    for (std::uint16_t i = 0; i < answers; ++i) {
        std::uint16_t type = 0, klass = 0, ttlHigh = 0, ttlLow = 0, length = 0;
        if (!reader.Name(at, name) || !reader.Number(at, type) || !reader.Number(at, klass) ||
            !reader.Number(at, ttlHigh) || !reader.Number(at, ttlLow) || !reader.Number(at, length) ||
            at + length > reader.Size()) {
            return std::nullopt;
        }
        const std::size_t end = at + length;
        if (type == kTypeSrv) {
            ServiceRecord record;
            std::size_t data = at;
            if (!reader.Number(data, record.priority) || !reader.Number(data, record.weight) ||
                !reader.Number(data, record.port) || !reader.Name(data, record.target) || data != end) {
                return std::nullopt;
            }
            if (!record.target.empty()) {
                records.push_back(std::move(record));
            }
        }
        at = end;
    }
    return records;
}

std::vector<ServiceRecord> InServiceOrder(std::vector<ServiceRecord> records,
                                          const std::function<std::uint32_t(std::uint32_t)>& below)
{
    const auto pick = below ? below : RandomBelow;
    std::stable_sort(records.begin(), records.end(),
                     [](const ServiceRecord& a, const ServiceRecord& b) { return a.priority < b.priority; });
    std::vector<ServiceRecord> ordered;
    for (auto group = records.begin(); group != records.end();) {
        auto groupEnd = std::find_if(group, records.end(),
                                     [&](const ServiceRecord& record) { return record.priority != group->priority; });
        // Those of weight 0 first, so that a draw of 0 can choose them (RFC 2782).
        std::vector<ServiceRecord> left(group, groupEnd);
        std::stable_partition(left.begin(), left.end(), [](const ServiceRecord& record) { return record.weight == 0; });
        while (!left.empty()) {
            std::uint32_t total = 0;
            for (const ServiceRecord& record : left) {
                total += record.weight;
            }
            const std::uint32_t draw = pick(total + 1);
            std::uint32_t sum = 0;
            auto chosen = left.begin();
            for (; chosen != left.end(); ++chosen) {
                sum += chosen->weight;
                if (sum >= draw) {
                    break;
                }
            }
            chosen = chosen == left.end() ? left.end() - 1 : chosen;
            ordered.push_back(std::move(*chosen));
            left.erase(chosen);
        }
        group = groupEnd;
    }
    return ordered;
}
