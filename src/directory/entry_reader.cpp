// entry_reader.cpp - RecordEntry: the entry walked attribute by attribute through its connection.
#include "directory/entry_reader.h"

#include <new>
#include <string_view>

#include "directory/deadline.h"
#include "directory/directory_connection.h"
#include "directory/query_stop.h"
#include "result/result_table.h"
#include "result/row_cells.h"

namespace {

/// Attributes walked between two looks at the stop and the deadline. An entry of fewer attributes has
/// arrived whole and is kept whatever comes; only the walk of a very large one gives way.
constexpr int32_t kAttributesBetweenLooks = 1024;

}  // namespace

EntryRead RecordEntry(DirectoryConnection& connection, int32_t row, ResultTable& table, const Deadline& deadline,
                      const QueryStop& stop, RowCells& cells)
{
    cells.Clear();
    std::string_view dn;
    if (!connection.EntryName(dn)) {
        return EntryRead::Malformed;
    }
    cells.Add(kEntryTag, dn);
    const EntryAttribute* attribute = nullptr;
    for (int32_t attributes = 1;; ++attributes) {
        if (attributes % kAttributesBetweenLooks == 0) {
            if (stop.Raised()) {
                return EntryRead::Stopped;
            }
            if (deadline.Passed()) {
                return EntryRead::TimedOut;
            }
        }
        const DirectoryConnection::Step step = connection.NextAttribute(attribute);
        if (step == DirectoryConnection::Step::Malformed) {
            return EntryRead::Malformed;
        }
        if (step == DirectoryConnection::Step::End) {
            break;
        }
        cells.Add(kAttributeTag, attribute->name);
        for (const std::string_view value : attribute->values) {
            // Kept as the server sent it, binary or not: readable forms are made where it is shown.
            cells.Add(kValueTag, value);
        }
    }
    // The entry is stored whole, in one block, once it has been read.
    if (!table.SetRow(row, cells)) {
        throw std::bad_alloc();
    }
    return EntryRead::Recorded;
}
