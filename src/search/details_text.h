// details_text.h - the details view's query and text without a window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "storage/connection_profile.h"

#include "search/entry_photos.h"
#include "search/labelled_details.h"
#include "search/search_rules.h"

class DirectoryQuery;
class ResultTable;

/// The most names the details query asks for: its attribute list has room for 100 slots, the last
/// one ending it.
constexpr std::size_t kMaxDetailNames = 99;

/// The names the details query asks for: the slots before the first empty one, at most kMaxDetailNames.
std::vector<std::string> DetailNames(const DetailSlots& detailAttributes);

/// Runs the details query: filter on the search attributes (see AttributeFilter), or on "cn"
/// when swap is ticked, with the escaped search value; asks for the detail list (the slots before the first empty one,
/// at most 99), and the picture attributes as well withPhotos; sorts the answer by distinguished name. Says how the
/// query ended.
SearchOutcome RunDetailsQuery(DirectoryQuery& query, const SearchInput& input, bool swap,
                              const DetailSlots& detailAttributes, ResultTable& table, int32_t timeLimitSeconds = 100,
                              bool withPhotos = false);

/** How a details query ended and the text of its answer. */
struct DetailsAnswer {
    SearchOutcome outcome;
    std::string text;                ///< the details text (see DetailsText)
    int32_t entries = 0;             ///< the entries of the answer
    std::vector<EntryPhoto> photos;  ///< the shown entries' pictures, when asked for
};

/// Runs the details query (RunDetailsQuery) and makes the details text of its answer (DetailsText)
/// in form, the query's stop and time limit covering the text too: a stop while it is made ends
/// the query as stopped, a time limit that runs out fails it (see EndedByLimit); the text is then
/// empty. withPhotos also reads the shown entries' pictures (see EntryPhotos); the text stays the same.
DetailsAnswer DetailsQueryAndText(DirectoryQuery& query, const SearchInput& input, bool swap,
                                  const DetailSlots& detailAttributes,
                                  const std::optional<std::set<std::string>>& shownDns, DetailsForm form,
                                  int32_t timeLimitSeconds = kSearchTimeLimitSeconds, bool withPhotos = false);
