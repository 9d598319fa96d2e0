// search_field_reader.h - the main window's search fields read and checked for a query.
#pragma once

#include "search/search_rules.h"
#include "search_window/search_controls.h"

class QueryRunner;
class wxWindow;

/** Reads the seven search fields and the swap box of the main window. */
class SearchFieldReader {
public:
    /// runner gives the texts, the connection options and the message box.
    SearchFieldReader(SearchControls controls, const QueryRunner& runner) : m_controls(controls), m_runner(runner) {}

    /// The seven fields as typed, each cut to the longest value a field holds.
    SearchFields Read() const;
    /// Reads and checks the fields; on a failed check shows its message ("ERROR" caption,
    /// information icon), focuses the field and returns false. With emptyBase an empty DN field
    /// passes (a search of a global catalog's whole forest).
    bool ReadInput(SearchInput& input, bool emptyBase = false) const;
    /// "Swap search and result attributes" is ticked.
    bool Swap() const;

private:
    wxWindow* FieldControl(SearchField field) const;

    SearchControls m_controls;
    const QueryRunner& m_runner;
};
