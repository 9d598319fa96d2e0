// search_pages.cpp - the pages of a capped search, the same on every system.
#include "directory/search_pages.h"

#include <algorithm>
#include <climits>

namespace {

// The protocol's result codes by number: the client libraries name some of them differently.
constexpr int kSuccess = 0, kProtocolError = 2, kTimeLimitExceeded = 3, kSizeLimitExceeded = 4,
              kAdminLimitExceeded = 11, kUnavailableCriticalExtension = 12, kUnwillingToPerform = 53;

/// Answers to a first page that show the server will not page this search.
bool RefusesPaging(int resultCode)
{
    return resultCode == kAdminLimitExceeded || resultCode == kUnavailableCriticalExtension ||
           resultCode == kUnwillingToPerform || resultCode == kProtocolError;
}

}  // namespace

bool IsLimitAnswer(int resultCode)
{
    return resultCode == kTimeLimitExceeded || resultCode == kSizeLimitExceeded || resultCode == kAdminLimitExceeded;
}

bool IsServerLimit(int resultCode, int32_t rows, uint32_t maxEntries)
{
    return resultCode == kAdminLimitExceeded ||
           (resultCode == kSizeLimitExceeded && (maxEntries == 0 || static_cast<uint32_t>(rows) < maxEntries));
}

SearchPages::SearchPages(uint32_t maxEntries, bool baseScope)
    : m_maxEntries(maxEntries), m_pageable(maxEntries != 0 && !baseScope)
{}

uint32_t SearchPages::PageSize(int32_t rows) const
{
    return std::min(m_maxEntries - static_cast<uint32_t>(rows), kPageSize);
}

int32_t SearchPages::SizeLimit() const
{
    return m_paging || m_maxEntries > static_cast<uint32_t>(INT_MAX) ? 0 : static_cast<int32_t>(m_maxEntries);
}

SearchPages::After SearchPages::Take(int resultCode, bool paged, const std::string& cookie, int32_t rows, bool stopped)
{
    // The server's own size limit cut the plain answer short of the cap: it may hand out the rest
    // in pages. The entries so far come again in the first pages.
    const bool serverLimit = resultCode == kSizeLimitExceeded || resultCode == kAdminLimitExceeded;
    if (!m_paging && m_pageable && !m_askedInPages && serverLimit && static_cast<uint32_t>(rows) < m_maxEntries &&
        !stopped) {
        m_paging = true;
        m_askedInPages = true;
        m_rowsBefore = 0;
        return After::AskPaged;
    }
    if (m_paging && m_firstPage && rows == 0 && RefusesPaging(resultCode)) {
        m_paging = false;
        return After::AskPlain;
    }
    m_firstPage = false;
    if (IsLimitAnswer(resultCode)) {
        return After::Cut;
    }
    if (resultCode != kSuccess) {
        return After::Failed;
    }
    if (!m_paging || !paged || cookie.empty()) {
        return After::Done;
    }
    // More pages: read on up to the cap; at the cap the rest is not asked for.
    if (static_cast<uint32_t>(rows) >= m_maxEntries) {
        return After::Cut;
    }
    // A page may come empty now and then; one after another they would be asked for forever.
    m_emptyPages = rows == m_rowsBefore ? m_emptyPages + 1 : 0;
    m_rowsBefore = rows;
    if (m_emptyPages > kMostEmptyPages) {
        return After::Cut;
    }
    m_cookie = cookie;
    return stopped ? After::Stopped : After::NextPage;
}
