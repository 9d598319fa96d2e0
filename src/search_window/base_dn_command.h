// base_dn_command.h - Edit > Base DNs from server, and the base DNs a search with an empty DN field
// asks the server for first.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "search/search_rules.h"
#include "search_window/search_controls.h"

class QueryRunner;
class SearchFieldReader;

/** Reads the naming contexts of the server in the fields, beside the window. */
class BaseDnCommand {
public:
    /// Receives the base DNs read (none after a failure or a stop), how the reading ended, and
    /// whether the server's root entry names it a global catalog.
    using Found =
        std::function<void(const std::vector<std::string>& bases, const SearchOutcome& outcome, bool globalCatalog)>;

    BaseDnCommand(SearchControls controls, QueryRunner& runner, const SearchFieldReader& fields)
        : m_controls(controls), m_runner(runner), m_fields(fields)
    {}

    /// Edit > Base DNs from server: reads the server's naming contexts and offers them; the one
    /// chosen goes into the DN field. Needs the server field; nothing while a query runs.
    void Choose();
    /// Reads the base DNs of the server in fields, the status line saying so meanwhile, then calls
    /// found. Nothing follows when the password dialog was cancelled.
    void Read(const SearchFields& fields, Found found);

    /// Offers bases to choose from (the one in the DN field chosen first); the one chosen goes into
    /// the DN field. False when the choice was cancelled.
    bool ChooseFrom(const std::vector<std::string>& bases);

private:
    /// Offers the bases read, or says why there are none.
    void Offer(const std::vector<std::string>& bases, const SearchOutcome& outcome);

    SearchControls m_controls;
    QueryRunner& m_runner;
    const SearchFieldReader& m_fields;
};
