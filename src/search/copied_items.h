// copied_items.h - Edit > Copy of the result list: the items as the list shows them, as a table.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ShownResult;

/// The heading line of the shown columns, then the given items (ascending; every item when none
/// is given), each with its texts as the list shows them (an edited label included), as
/// tab-separated lines (TabSeparatedText).
std::string CopiedItems(const ShownResult& shown, const std::vector<size_t>& items);
