// details_command.h - Details (the Details button, Edit > Show details, a double click): the chosen
// entries' details read beside the window and shown in CDetailsDialog.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "search/entry_photos.h"
#include "search/search_rules.h"
#include "result/shown_result.h"
#include "search_window/search_controls.h"
#include "storage/connection_profile.h"

class QueryRunner;
class SearchFieldReader;

/** The details query of the main window and the details window it opens. */
class DetailsCommand {
public:
    /// result is the slot of the shown result, whose items name the chosen entries.
    DetailsCommand(SearchControls controls, QueryRunner& runner, const SearchFieldReader& fields,
                   const std::shared_ptr<ShownResult>& result)
        : m_controls(controls), m_runner(runner), m_fields(fields), m_result(result)
    {}

    /// Reads the fields and shows the details; nothing while a query runs.
    void Details();
    /// Runs the details query for input beside the window, then shows CDetailsDialog modally.
    void ShowDetails(const SearchInput& input);
    /// The detail attribute slots the details view asks for (the main window's list).
    void SetDetailAttributes(const DetailSlots& slots) { m_detailAttributes = slots; }
    /// The text last given to a details window.
    const std::string& LastDetailsText() const { return m_lastDetailsText; }

private:
    /// Opens the details window on the last text, with the entries' pictures beside it.
    void OpenDetailsWindow(const std::vector<EntryPhoto>& photos);

    SearchControls m_controls;
    QueryRunner& m_runner;
    const SearchFieldReader& m_fields;
    const std::shared_ptr<ShownResult>& m_result;
    DetailSlots m_detailAttributes = DefaultDetailSlots();
    std::string m_lastDetailsText;
};
