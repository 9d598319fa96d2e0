// search_command.h - Search (the Search button, Edit > Search): the answer laid out in the result
// list, the sort by a column heading and the emptied list.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "search/search_rules.h"
#include "result/shown_result.h"
#include "search_window/search_controls.h"

class BaseDnCommand;
class QueryRunner;
class SearchFieldReader;

/**
 * The search of the main window. With an empty DN field and every other field given it runs in two
 * steps: the server's base DNs first, then the search below the one base the server names, or
 * the one the user chooses where it names several. A global catalog (by its port, or by its root
 * entry) is searched below the empty base: the whole forest.
 */
class SearchCommand {
public:
    /// result is the slot of the shown result, which each answer replaces (the list, the copy and
    /// the exports read it).
    SearchCommand(SearchControls controls, QueryRunner& runner, const SearchFieldReader& fields, BaseDnCommand& bases,
                  std::shared_ptr<ShownResult>& result)
        : m_controls(controls), m_runner(runner), m_fields(fields), m_bases(bases), m_result(result)
    {}

    /// Starts the search beside the window (the progress item shows meanwhile); its answer fills
    /// the list when it arrives. Ignored while a query runs.
    void Search();
    /// Sorts the entries by a column in the user's locale, as the heading's arrow shows.
    void SortByColumn(unsigned column, bool ascending);
    /// Empties the result list and the status line (the export stays).
    void ClearList();
    /// Called once the progress item shows and the query has started. An empty function removes it.
    void SetQueryStartHook(std::function<void()> hook) { m_queryStartHook = std::move(hook); }

private:
    /// The Details button waits and the list is emptied for the answer to come.
    void Begin();
    /// The second step after the base DNs were read: the forest of a global catalog, the search
    /// below the only one or the one chosen, or the message that no DN is given.
    void SearchBelow(const std::vector<std::string>& bases, bool globalCatalog);
    /// Reads the fields and runs the search with the DN they give; with forest an empty DN field
    /// searches below the empty base.
    void Run(bool forest = false);
    /// Shows how the search ended and its answer, under the columns the shown result laid it out in.
    void ShowAnswer(const SearchOutcome& outcome, std::shared_ptr<ShownResult> shown, const std::string& searchValue,
                    const SearchInput& input);

    SearchControls m_controls;
    QueryRunner& m_runner;
    const SearchFieldReader& m_fields;
    BaseDnCommand& m_bases;
    std::shared_ptr<ShownResult>& m_result;
    std::function<void()> m_queryStartHook;
    std::chrono::steady_clock::time_point m_lastProgress;  ///< when arriving entries were last counted
};
