// details_text.h - the details view's query and text without a window.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "storage/connection_profile.h"

#include "search_window/search_rules.h"

class DirectoryQuery;
class ResultTable;

/// The separator written after each shown entry: blank, CR LF, blank, 56 hyphens, CR LF.
extern const char* const kDetailsSeparator;

/// Runs the details query: filter on the search attribute, or on "cn" when swap is ticked, with
/// the search value; asks for the detail list (the slots before the first empty one, at most 99);
/// sorts the answer by distinguished name. Says how the query ended.
SearchOutcome RunDetailsQuery(DirectoryQuery& query, const SearchInput& input, bool swap,
                              const DetailSlots& detailAttributes, ResultTable& table, int32_t timeLimitSeconds = 100);

/// The details text of a sorted details table. shownDns: the distinguished names of the chosen
/// entries, or nullopt for all entries. For each shown row: every "<VALUE>" cell's text followed
/// by CR LF, then kDetailsSeparator.
std::string DetailsText(const ResultTable& table, const std::optional<std::set<std::string>>& shownDns);
