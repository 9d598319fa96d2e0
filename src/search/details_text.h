// details_text.h - the details view's query and text without a window.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "storage/connection_profile.h"

#include "search/labelled_details.h"
#include "search/search_rules.h"

class DirectoryQuery;
class ResultTable;

/// The names the details query asks for: the slots before the first empty one, at most 99.
std::vector<std::string> DetailNames(const DetailSlots& detailAttributes);

/// Runs the details query: filter on the search attributes (see AttributeFilter), or on "cn"
/// when swap is ticked, with the escaped search value; asks for the detail list (the slots before the first empty one,
/// at most 99); sorts the answer by distinguished name. Says how the query ended.
SearchOutcome RunDetailsQuery(DirectoryQuery& query, const SearchInput& input, bool swap,
                              const DetailSlots& detailAttributes, ResultTable& table, int32_t timeLimitSeconds = 100);
