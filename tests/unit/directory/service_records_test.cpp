// service_records_test.cpp - SRV records read from DNS answers, malformed ones refused, and the
// order of priorities and weights.
#include "directory/service_records.h"

#include <gtest/gtest.h>

#include <string>

namespace {

/// A name in the wire form: each label after its length, then the root.
std::string Name(const std::string& dotted)
{
    std::string wire;
    std::size_t start = 0;
    while (start < dotted.size()) {
        const std::size_t end = std::min(dotted.find('.', start), dotted.size());
        wire += static_cast<char>(end - start);
        wire += dotted.substr(start, end - start);
        start = end + 1;
    }
    return wire + '\0';
}

std::string Number(unsigned value)
{
    return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
}

/// A record of the answer section: its name as given (a pointer too), type, class IN, a TTL, data.
std::string Record(const std::string& name, unsigned type, const std::string& data)
{
    return name + Number(type) + Number(1) + Number(0) + Number(300) + Number(data.size()) + data;
}

std::string Srv(unsigned priority, unsigned weight, unsigned port, const std::string& target)
{
    return Number(priority) + Number(weight) + Number(port) + target;
}

/// A message with one question (_ldap._tcp.corp.example, at offset 12) and the answers given.
std::string Message(unsigned answers, const std::string& records)
{
    return Number(0x1234) + Number(0x8180) + Number(1) + Number(answers) + Number(0) + Number(0) +
           Name("_ldap._tcp.corp.example") + Number(33) + Number(1) + records;
}

const std::string kToQuestion = "\xC0\x0C";  // a pointer to the question's name

TEST(ReadServiceAnswer, ReadsRecordsAndRefusesMalformedAnswers)
{
    const std::string dc1 = Srv(0, 100, 389, Name("dc1.corp.example"));
    const struct {
        const char* what;
        std::string message;
        std::optional<std::vector<ServiceRecord>> records;
    } cases[] = {
        {"two records, the second's target compressed",
         Message(2, Record(kToQuestion, 33, dc1) + Record(kToQuestion, 33,
                                                          Srv(1, 0, 3268,
                                                              std::string("\x03"
                                                                          "dc2\xC0\x17",
                                                                          6)))),
         {{{0, 100, 389, "dc1.corp.example"}, {1, 0, 3268, "dc2.corp.example"}}}},
        {"other types passed over",
         Message(2, Record(kToQuestion, 1, std::string("\x7F\0\0\x01", 4)) + Record(kToQuestion, 33, dc1)),
         {{{0, 100, 389, "dc1.corp.example"}}}},
        {"a root target: no service", Message(1, Record(kToQuestion, 33, Srv(0, 0, 0, std::string(1, '\0')))),
         std::vector<ServiceRecord>{}},
        {"cut inside the header", Message(0, "").substr(0, 7), std::nullopt},
        {"more answers counted than sent", Message(2, Record(kToQuestion, 33, dc1)), std::nullopt},
        {"data longer than the message", Message(1, Record(kToQuestion, 33, dc1)).substr(0, 60), std::nullopt},
        {"a target past its record's data", Message(1, Record(kToQuestion, 33, dc1.substr(0, 10))), std::nullopt},
        {"data longer than the target", Message(1, Record(kToQuestion, 33, dc1 + "xx")), std::nullopt},
        {"a pointer to itself", Message(1, Record(kToQuestion, 33, Srv(0, 0, 389, "\xC0\x3B"))), std::nullopt},
        {"a pointer past the end", Message(1, Record("\xC0\xFF", 33, dc1)), std::nullopt},
        {"a label past the end",
         Message(1, Record("\x3F"
                           "ab",
                           33, dc1)),
         std::nullopt},
        {"a label of a reserved kind",
         Message(1, Record("\x80"
                           "ab",
                           33, dc1)),
         std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadServiceAnswer(c.message), c.records) << c.what;
    }
}

TEST(InServiceOrder, PriorityFirstThenWeightedDraws)
{
    const std::vector<ServiceRecord> records = {
        {10, 0, 389, "late"}, {0, 10, 389, "light"}, {0, 90, 389, "heavy"}, {0, 0, 389, "weightless"}};
    const struct {
        std::uint32_t draw;  // every draw of the first priority, the same each time
        std::vector<std::string> order;
    } cases[] = {
        // the weightless one stands first, so only a draw of 0 takes it
        {0, {"weightless", "light", "heavy", "late"}},
        {5, {"light", "heavy", "weightless", "late"}},
        {11, {"heavy", "light", "weightless", "late"}},
        {100, {"heavy", "light", "weightless", "late"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> order;
        for (const ServiceRecord& record :
             InServiceOrder(records, [&](std::uint32_t n) { return std::min(c.draw, n - 1); })) {
            order.push_back(record.target);
        }
        EXPECT_EQ(order, c.order) << c.draw;
    }
    EXPECT_EQ(ServiceRecordName("corp.example", 3269), "_gc._tcp.corp.example");
    EXPECT_EQ(ServiceRecordName("corp.example", 636), "_ldap._tcp.corp.example");
}

}  // namespace
