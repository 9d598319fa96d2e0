// search_pages.h - the pages of a capped search, the same on every system: what each page asks
// for and what its result message means for the search.
#pragma once

#include <cstdint>
#include <string>

/** The result message of a search or of one of its pages, as a session read it: the result
    code, the server's own text about it and, for a page, the cookie that asks for the next one. */
struct PageResult {
    int code = 0;
    std::string serverMessage;
    bool paged = false;  ///< the server answered the paged-results control
    std::string cookie;  ///< empty once the last page has come
};

/**
 * A capped search asks first for the whole answer up to the cap, in one plain answer: most servers
 * hand it out so, and one answer costs them less than many pages. A server that cuts that answer
 * below the cap with its own limit is asked again from the start, in pages with the paged-results
 * control (not critical): it then gives the rest page by page, or, when it does not page, answers
 * as to a plain search. Pages never ask for more than the cap leaves. A search without a cap, or of
 * the base entry alone, asks once without the control.
 */
class SearchPages {
public:
    /// Entries asked for in one page: what directories commonly hand out in one page.
    static constexpr uint32_t kPageSize = 1000;
    /// Pages in a row that bring no entry yet ask for more: past them the search ends with what
    /// it has, cut, so a server that answers every page with an empty one and a cookie is not
    /// asked again forever.
    static constexpr uint32_t kMostEmptyPages = 10;

    /// What the result message of a page means for the search.
    enum class After {
        Done,      ///< the answer is complete
        Cut,       ///< a limit answer or the cap: the entries so far are the answer, cut
        Failed,    ///< the server refused the search
        AskPlain,  ///< the server will not page this search: ask once more without the control
        AskPaged,  ///< the server cut the plain answer below the cap: forget it and ask in pages
        NextPage,  ///< ask for the next page with Cookie()
        Stopped,   ///< there are more pages, but the search was stopped
    };

    SearchPages(uint32_t maxEntries, bool baseScope);

    /// True while the pages are asked for with the control.
    bool Paging() const { return m_paging; }
    /// The page size the next page asks for, rows entries being recorded so far.
    uint32_t PageSize(int32_t rows) const;
    /// The size limit the next request gives the server (0 = none): the cap without pages; a paged
    /// search is bounded by its page size, since some servers apply a size limit to all pages together.
    int32_t SizeLimit() const;
    /// The server's cookie of the last page, which the next page sends back ("" for the first).
    const std::string& Cookie() const { return m_cookie; }

    /// Takes the result message of a page: its result code, whether it answered the control and
    /// the cookie it carried, rows entries being recorded so far, and whether the search was stopped.
    After Take(int resultCode, bool paged, const std::string& cookie, int32_t rows, bool stopped);
    /// True when after asks for one more request.
    static bool AsksAgain(After after)
    {
        return after == After::AskPlain || after == After::AskPaged || after == After::NextPage;
    }

private:
    uint32_t m_maxEntries;
    bool m_pageable;  ///< capped, and not of the base entry alone
    bool m_paging = false;
    bool m_askedInPages = false;  ///< pages were asked for once: a later cut stands
    bool m_firstPage = true;
    int32_t m_rowsBefore = 0;   ///< the entries recorded when the last page was asked for
    uint32_t m_emptyPages = 0;  ///< pages in a row that brought no entry
    std::string m_cookie;
};

/// True for a server's limit answer, which still carries the entries that came before the limit was hit.
bool IsLimitAnswer(int resultCode);
/// True when a limit answer is the server's own limit rather than the entry cap (maxEntries, 0 =
/// none) the search asked for: an administrative limit, or a size limit with fewer than the cap's
/// entries recorded (rows).
bool IsServerLimit(int resultCode, int32_t rows, uint32_t maxEntries);
