// entry_reader.cpp - RecordEntry: the entry's encoding walked attribute by attribute.
#include "directory/entry_reader.h"

#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "directory/deadline.h"
#include "directory/query_stop.h"
#include "directory/result_table.h"
#include "directory/row_cells.h"

namespace {

struct CursorReleaser {
    void operator()(BerElement* cursor) const { ber_free(cursor, 0); }
};
struct ListReleaser {
    void operator()(berval* list) const { ber_memfree(list); }
};
using Cursor = std::unique_ptr<BerElement, CursorReleaser>;
// The list itself is allocated; the names and values point into the entry's own bytes.
using ValueArray = std::unique_ptr<berval, ListReleaser>;

std::string_view Bytes(const berval& value)
{
    return {value.bv_val, value.bv_len};
}

/// A value's text: its bytes, or "<binary, N bytes>" when it holds a NUL byte and so is no text.
void AddValue(RowCells& cells, std::string_view value)
{
    if (value.find('\0') != std::string_view::npos) {
        cells.Add(kValueTag, "<binary, " + std::to_string(value.size()) + " bytes>");
    } else {
        cells.Add(kValueTag, value);
    }
}

/// Attributes walked between two looks at the stop and the deadline. An entry of fewer attributes has
/// arrived whole and is kept whatever comes; only the walk of a very large one gives way.
constexpr int32_t kAttributesBetweenLooks = 1024;

}  // namespace

EntryRead RecordEntry(LDAP* connection, LDAPMessage* entry, int32_t row, ResultTable& table, const Deadline& deadline,
                      const QueryStop& stop, RowCells& cells)
{
    cells.Clear();
    BerElement* rawCursor = nullptr;
    berval dn{0, nullptr};
    const int named = ldap_get_dn_ber(connection, entry, &rawCursor, &dn);
    const Cursor cursor(rawCursor);
    if (named != LDAP_SUCCESS || !cursor) {
        return EntryRead::Malformed;
    }
    cells.Add(kEntryTag, Bytes(dn));
    for (int32_t attributes = 1;; ++attributes) {
        if (attributes % kAttributesBetweenLooks == 0) {
            if (stop.Raised()) {
                return EntryRead::Stopped;
            }
            if (deadline.Passed()) {
                return EntryRead::TimedOut;
            }
        }
        berval name{0, nullptr};
        berval* rawValues = nullptr;
        const int read = ldap_get_attribute_ber(connection, entry, cursor.get(), &name, &rawValues);
        const ValueArray values(rawValues);
        if (read != LDAP_SUCCESS) {
            return EntryRead::Malformed;
        }
        if (name.bv_val == nullptr) {
            break;  // no attribute left
        }
        cells.Add(kAttributeTag, Bytes(name));
        for (const berval* value = values.get(); value != nullptr && value->bv_val != nullptr; ++value) {
            AddValue(cells, Bytes(*value));
        }
    }
    // The entry is stored whole, in one block, once it has been read.
    if (!table.SetRow(row, cells)) {
        throw std::bad_alloc();
    }
    return EntryRead::Recorded;
}
