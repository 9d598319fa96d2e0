// entry_reader.h - one entry of an answer written into a row of a ResultTable, read once in the
// order the server sent its attributes.
#pragma once

#include <cstdint>

class Deadline;
class DirectoryConnection;
class QueryStop;
class ResultTable;
class RowCells;

/// How the reading of one entry ended.
enum class EntryRead { Recorded, Stopped, TimedOut, Malformed };

/// Writes the entry the connection took last into row of table: "<ENTRY>" + distinguished name in
/// column 0, then each attribute's "<ATTRIBUTE>" cell followed by one "<VALUE>" cell per value,
/// without gaps, in the order the server sent them (two attributes whose names differ only in case
/// stay apart). Values are kept byte for byte, binary ones included. Its cells are gathered
/// in cells (the caller's, reused from entry to entry) and the row is stored whole only when the
/// entry was read to its end. An entry of up to a thousand attributes is always recorded whole; in
/// a larger one the stop and the deadline are looked at every thousand attributes or so. cells then
/// holds the entry's cells. Throws std::bad_alloc when the table cannot take the row.
EntryRead RecordEntry(DirectoryConnection& connection, int32_t row, ResultTable& table, const Deadline& deadline,
                      const QueryStop& stop, RowCells& cells);
