// fuzz_paging_decisions.cpp - fuzzes the paging decisions of a search alone: a server that answers
// each request with any number of entries, any result code, with or without the paged-results
// control and any cookie, and a stop at any time. The search must always end, every request it
// makes must ask for what the cap leaves and no more, and the requests in all are bounded by the cap.
//
// Input: the cap and scope, then per request: entries sent, result code, control and stop, cookie.
// Once the input has run out, the server answers every further request as it answered the last
// one, so a short input stands for a server that keeps answering alike.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "directory/search_pages.h"

namespace {

#define REQUIRE(condition)                                                                               \
    do {                                                                                                 \
        if (!(condition)) {                                                                              \
            std::fprintf(stderr, "fuzz_paging_decisions: %s failed at line %d\n", #condition, __LINE__); \
            std::abort();                                                                                \
        }                                                                                                \
    } while (false)

/** The input read a byte at a time; zeros once it has run out. */
class Bytes {
public:
    Bytes(const uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0; }
    bool Empty() const { return m_at >= m_size; }
    std::size_t At() const { return m_at; }
    void Seek(std::size_t at) { m_at = at; }
    uint32_t Next32() { return uint32_t{Next()} << 24 | uint32_t{Next()} << 16 | uint32_t{Next()} << 8 | Next(); }

private:
    const uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

/// Result codes a server answers a page with: the ones the decisions tell apart, then any.
int ResultCode(uint8_t byte)
{
    constexpr int kCodes[] = {0, 0, 0, 2, 3, 4, 11, 12, 53, 1, 32, 50};
    return byte < 2 * std::size(kCodes) ? kCodes[byte % std::size(kCodes)] : byte;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Bytes in(data, size);
    const uint8_t scope = in.Next();
    // Small caps mostly, so the fuzzer reaches the cap; any cap now and then.
    const uint32_t cap = (scope & 0x80) != 0 ? in.Next32() : in.Next() % 16;
    const bool baseScope = (scope & 1) != 0;
    SearchPages pages(cap, baseScope);

    // Past this many requests the search asks again forever: a plain request, one asked again
    // in pages, one asked again plainly, and a page per entry the cap leaves room for.
    const uint64_t mostRequests = 3 + uint64_t{cap} * (1 + SearchPages::kMostEmptyPages) + SearchPages::kMostEmptyPages;
    // A huge cap lets a server that hands out one entry a page go on for billions of pages, each
    // of them right: the walk is left after this many, as it has shown what it can by then.
    constexpr uint64_t kMostRequestsWalked = 20000;
    int32_t rows = 0;
    std::size_t lastAnswer = in.At();
    for (uint64_t requests = 1;; ++requests) {
        REQUIRE(requests <= mostRequests);
        if (requests > kMostRequestsWalked) {
            return 0;
        }
        if (in.Empty()) {
            in.Seek(lastAnswer);
        }
        lastAnswer = in.At();
        if (pages.Paging()) {
            // A page asks for at least one entry and never for more than the cap leaves.
            REQUIRE(cap != 0 && !baseScope);
            const uint32_t pageSize = pages.PageSize(rows);
            REQUIRE(pageSize >= 1 && pageSize <= SearchPages::kPageSize);
            REQUIRE(pageSize <= cap - static_cast<uint32_t>(rows));
            REQUIRE(pages.SizeLimit() == 0);
        } else {
            REQUIRE(pages.SizeLimit() == (cap > INT32_MAX ? 0 : static_cast<int32_t>(cap)));
        }
        // The entries of this answer; the search reads no entry past the cap (it ends cut there).
        const uint32_t sent = in.Next32() % 4096;
        if (cap != 0 && uint64_t{static_cast<uint32_t>(rows)} + sent > cap) {
            return 0;
        }
        rows += static_cast<int32_t>(sent);
        const int code = ResultCode(in.Next());
        const uint8_t flags = in.Next();
        std::string cookie(flags >> 2 & 7, static_cast<char>(in.Next()));
        const SearchPages::After after = pages.Take(code, (flags & 1) != 0, cookie, rows, (flags & 2) != 0);
        if (after == SearchPages::After::NextPage) {
            REQUIRE(!cookie.empty() && pages.Cookie() == cookie);
        }
        if (after == SearchPages::After::AskPaged) {
            rows = 0;  // asked again from the start: the entries so far come once more
        }
        if (!SearchPages::AsksAgain(after)) {
            return 0;
        }
    }
}
