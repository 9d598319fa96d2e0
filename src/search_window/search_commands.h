// search_commands.h - the main window's search, details, base DN, copy and export commands on its
// controls, over one query runner and one shown result.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "search/search_rules.h"
#include "result/shown_result.h"
#include "search_window/base_dn_command.h"
#include "search_window/copy_command.h"
#include "search_window/details_command.h"
#include "search_window/export_command.h"
#include "search_window/query_runner.h"
#include "search_window/search_command.h"
#include "search_window/search_controls.h"
#include "search_window/search_field_reader.h"
#include "storage/connection_profile.h"

class BindLogin;
class TextCatalog;

/**
 * The commands the main window binds: Search (the Search button, Edit > Search), Details (the
 * Details button, Edit > Show details, double click), the sort by a column heading, Copy, Export
 * and Export as LDIF, and Base DNs from server. Each is a small command over the one query runner
 * and the shown result of the last search, which the list, the copy and the exports read.
 */
class SearchCommands {
public:
    /// Every text is its English default until a catalogue is set.
    explicit SearchCommands(SearchControls controls);
    /// Cancels a running query.
    ~SearchCommands();

    void Search() { m_search.Search(); }
    void Details() { m_details.Details(); }
    /// A click on a column heading: sorts the entries by that column in the user's locale,
    /// ascending or descending as the heading's arrow shows.
    void SortByColumn(unsigned column, bool ascending) { m_search.SortByColumn(column, ascending); }
    /// Shows the status line's messages again in the current language.
    void RetranslateStatus() { m_runner.StatusBar().Retranslate(); }
    /// Empties the result list and the status line (the export stays).
    void ClearList() { m_search.ClearList(); }
    /// Runs the details query for input beside the window, then shows CDetailsDialog modally.
    void ShowDetails(const SearchInput& input) { m_details.ShowDetails(input); }
    /// True while a search or details query runs: Details, Export and a second Search wait.
    bool Searching() const { return m_runner.Running(); }
    /// Escape: stops the running query at once; it ends as usual with what had arrived.
    void StopSearch() { m_runner.Stop(); }
    /// Closing the window: stops the running query and drops its answer.
    void CancelSearch() { m_runner.Cancel(); }
    /// Called with true when a query starts and false when it has ended or was cancelled.
    void SetBusyHook(std::function<void(bool busy)> hook) { m_runner.SetBusyHook(std::move(hook)); }
    void Export() { m_export.Export(); }
    /// Edit > Copy.
    void CopyRows() { m_copy.Copy(); }
    /// Edit > Export as LDIF.
    void ExportLdif() { m_export.ExportLdif(); }
    /// Edit > Base DNs from server.
    void ChooseBaseDn() { m_bases.Choose(); }

    /// The detail attribute slots the details view asks for (the main window's list).
    void SetDetailAttributes(const DetailSlots& slots) { m_details.SetDetailAttributes(slots); }
    /// The current language's texts, which every command and its windows show (never null).
    void SetCatalog(std::shared_ptr<const TextCatalog> catalog) { m_runner.SetCatalog(std::move(catalog)); }
    /// Whom every query binds as; without a login, anonymously.
    void SetBindLogin(std::unique_ptr<BindLogin> login);
    /// The name the login binds as ("" anonymously); ignored without a login.
    void SetBindUser(const std::string& name) { m_runner.SetBindUser(name); }
    /// StartTLS and the entry cap every query connects with.
    void SetConnectionOptions(const ConnectionOptions& options) { m_runner.SetConnectionOptions(options); }
    /// Time limit of every query (tests shorten it).
    void SetTimeLimit(int32_t seconds) { m_runner.SetTimeLimit(seconds); }
    /// Called by Search once the progress item shows and the query has started (tests read the
    /// list there). An empty function removes it.
    void SetQueryStartHook(std::function<void()> hook) { m_search.SetQueryStartHook(std::move(hook)); }

    /// The shown result of the last search, which the list, the copy and the exports read.
    const ShownResult& Result() const { return *m_result; }
    /// The distinguished name of each list item, by item index.
    std::vector<std::string> ItemDns() const { return m_result->ItemDns(); }
    /// The text last given to a details window (tests read it).
    const std::string& LastDetailsText() const { return m_details.LastDetailsText(); }

private:
    QueryRunner m_runner;
    SearchFieldReader m_fields;
    std::shared_ptr<ShownResult> m_result;  ///< shared with the result list, which reads its texts
    BaseDnCommand m_bases;
    SearchCommand m_search;
    DetailsCommand m_details;
    ExportCommand m_export;
    CopyCommand m_copy;
};
