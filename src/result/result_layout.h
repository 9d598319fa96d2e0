// result_layout.h - an answer laid out for the result list and the export: every value under the
// column of its attribute's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ResultTable;
class WorkLimit;
struct ResultColumns;

/// What stands between two values of one cell.
inline constexpr std::string_view kValueJoin = ", ";

/// Called for every value of a search table that goes to a result column: the table row, the
/// column k, the value's cell column in the table, the name of its attribute as the server gave it
/// and the value's bytes without the tag. False ends the walk.
using ValuePlacer = std::function<bool(std::size_t row, std::size_t k, int32_t cell, std::string_view attribute,
                                       std::string_view value)>;

/// Walks every row of a search table once and places each value under the column of its attribute's
/// name, in the server's order, until place asks to stop: column k belongs to the k-th name
/// columns names, and a value goes into every column whose name its attribute's name matches
/// (see AttributeKey); values of attributes that match no column are left out. Linear in the cells
/// of the rows, however many distinct attribute names they hold.
void PlaceValues(const ResultTable& table, const ResultColumns& columns, const ValuePlacer& place);
/// As above, counting every cell read as a step of limit; false when the limit ended the walk.
bool PlaceValues(const ResultTable& table, const ResultColumns& columns, const ValuePlacer& place, WorkLimit& limit);

/// True when a result attribute asks for a group of attributes rather than one: "*" (every user
/// attribute) or "+" (the operational ones), blanks around it aside.
bool IsAttributeGroup(std::string_view name);

/// The columns with each group ("*", "+") put in place by the names of the attributes the answer
/// in table holds, in the order they first appear, each once (names of one attribute, as
/// AttributeKey matches them, count as one, headed by the first name met without its options),
/// leaving out those another column names. With both groups asked for, "+" takes the operational
/// attributes (IsOperationalAttribute) and "*" the others. A group of no such name is left out,
/// unless no column would remain: then the columns stay as they were. The columns themselves when they ask
/// for no group; nullopt when limit ended the walk over the table's cells.
std::optional<ResultColumns> ExpandAttributeGroups(const ResultTable& table, const ResultColumns& columns,
                                                   WorkLimit& limit);

/// True when a search table's row holds no cell at column cell nor after it. The rows of an answer
/// are stored without gaps, each only as wide as its own entry: a walk over a row's cells that
/// meets a cell without tag asks here whether the row has ended, and so reads the row's own cells
/// only, however wide the widest entry is.
bool RowEnded(const ResultTable& table, int32_t cell, int32_t row);

/// The distinguished name of a search table's row: column 0 without its tag.
std::string_view EntryDn(const ResultTable& table, int32_t row);
