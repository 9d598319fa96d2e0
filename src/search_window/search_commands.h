// search_commands.h - the main window's search, details and export commands on its controls.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "search_window/background_query.h"
#include "search/search_rules.h"
#include "search/shown_result.h"
#include "search_window/status_line.h"

#include "storage/connection_profile.h"

class BindLogin;
class TextCatalog;
class CResultList;
struct BindCredentials;
class DirectoryQuery;
class wxButton;
class wxStatusBar;
class wxCheckBox;
class wxComboBox;
class wxTextCtrl;
class wxWindow;

/// The main-window controls the search commands read and fill (owned by the main window).
struct SearchControls {
    wxWindow* window = nullptr;             ///< parent of message boxes and dialogs
    wxTextCtrl* server = nullptr;           ///< the LDAP server
    wxTextCtrl* port = nullptr;             ///< the LDAP port
    wxTextCtrl* baseDn = nullptr;           ///< the base DN
    wxTextCtrl* preselection = nullptr;     ///< the search preselection
    wxComboBox* searchAttribute = nullptr;  ///< the search attribute
    wxComboBox* resultAttribute = nullptr;  ///< the result attributes
    wxTextCtrl* searchString = nullptr;     ///< the search string
    wxCheckBox* swap = nullptr;             ///< "Swap search and result attributes"
    wxButton* details = nullptr;            ///< Details
    CResultList* list = nullptr;            ///< the result list
    wxStatusBar* status = nullptr;          ///< the window's status line
};

/**
 * Search (the Search button, Edit > Search), details (the Details button, Edit > Show details, double click),
 * the sort by a column heading and export (Edit > Export result). Holds the shown result of the
 * last search: its entries, their order and the export table.
 */
class SearchCommands {
public:
    /// Every text is its English default until texts are set.
    explicit SearchCommands(SearchControls controls);
    /// Cancels a running query.
    ~SearchCommands();

    /// Reads and checks the seven fields; on a failed check shows its message ("ERROR" caption,
    /// information icon), focuses the field and returns false.
    bool ReadSearchInput(SearchInput& input);
    /// Starts the search beside the window (the progress item shows meanwhile); its answer fills
    /// the list when it arrives. Ignored while a search or details query runs.
    void Search();
    void Details();
    /// A click on a column heading: sorts the entries by that column in the user's locale,
    /// ascending or descending as the heading's arrow shows.
    void SortByColumn(unsigned column, bool ascending);
    /// Shows the status line's messages again in the current language.
    void RetranslateStatus() { m_status.Retranslate(); }
    /// Empties the result list and the status line (the export table stays).
    void ClearList();
    /// Runs the details query for input beside the window, then shows CDetailsDialog modally.
    void ShowDetails(const SearchInput& input);
    /// True while a search or details query runs: Details, Export and a second Search wait.
    bool Searching() const { return m_query.Running(); }
    /// Escape: stops the running query at once; it ends as usual with what had arrived.
    void StopSearch();
    /// Closing the window: stops the running query, waits for its end and drops its answer.
    void CancelSearch();
    /// Called with true when a query starts and false when it has ended or was cancelled.
    void SetBusyHook(std::function<void(bool busy)> hook) { m_busyHook = std::move(hook); }
    void Export();
    /// Edit > Copy: the text of the focused field when it has a selection; otherwise the list's
    /// selected items, or all when none is selected, as tab-separated lines under a heading line.
    void CopyRows();
    /// Edit > Export as LDIF: the shown entries with the values of the result attributes.
    void ExportLdif();
    /// Edit > Base DNs from server: reads the server's naming contexts beside the window and
    /// offers them; the one chosen goes into the DN field.
    void ChooseBaseDn();

    /// The main window's current text of each key; a key missing there gives its English default.
    void SetTexts(std::map<std::string, std::string> texts);
    /// The detail attribute slots the details view asks for (the main window's list).
    void SetDetailAttributes(const DetailSlots& slots) { m_detailAttributes = slots; }
    /// The current language's texts, which the details and password windows show (never null).
    void SetCatalog(std::shared_ptr<const TextCatalog> catalog);
    /// Whom every query binds as; without a login, anonymously.
    void SetBindLogin(std::unique_ptr<BindLogin> login);
    /// The name the login binds as ("" anonymously); ignored without a login.
    void SetBindUser(const std::string& name);
    /// StartTLS and the entry cap every query connects with.
    void SetConnectionOptions(const ConnectionOptions& options) { m_connection = options; }
    /// Time limit of every query (tests shorten it).
    void SetTimeLimit(int32_t seconds) { m_timeLimitSeconds = seconds; }
    /// Called by Search once the progress item shows and the query has started (tests read the
    /// list there). An empty function removes it.
    void SetQueryStartHook(std::function<void()> hook) { m_queryStartHook = std::move(hook); }

    /// The shown result of the last search, which the list, the copy and the exports read.
    const ShownResult& Result() const { return *m_result; }
    /// The distinguished name of each list item, by item index.
    std::vector<std::string> ItemDns() const { return m_result->ItemDns(); }
    /// The text last given to a details window (tests read it).
    const std::string& LastDetailsText() const { return m_lastDetailsText; }

private:
    struct SearchAnswer;

    SearchControls m_controls;
    std::map<std::string, std::string> m_texts;
    DetailSlots m_detailAttributes = DefaultDetailSlots();
    std::shared_ptr<const TextCatalog> m_catalog;
    std::unique_ptr<BindLogin> m_bindLogin;
    ConnectionOptions m_connection;
    int32_t m_timeLimitSeconds = kSearchTimeLimitSeconds;
    std::shared_ptr<ShownResult> m_result;  ///< shared with the result list, which reads its texts
    std::string m_lastDetailsText;
    std::function<void()> m_queryStartHook;
    std::function<void(bool)> m_busyHook;
    BackgroundQuery m_query;
    StatusLine m_status;
    std::chrono::steady_clock::time_point m_lastProgress;  ///< when arriving entries were last counted

    std::string Text(const char* key) const;
    /// The seven fields as typed.
    SearchFields ReadFields() const;
    /// Reads the base DNs of the server in fields beside the window, the status line saying so,
    /// then calls done with them (none after a failure or a stop) and how the reading ended.
    void ReadBaseDnsThen(const SearchFields& fields,
                         std::function<void(const std::vector<std::string>&, const SearchOutcome&)> done);
    /// What a query of input binds with; nullopt when the user cancelled the password dialog.
    std::optional<BindCredentials> Credentials(const SearchInput& input);
    /// The warning that the password travels unencrypted, when a search of input sends one so.
    StatusLine::Compose BindWarning(const SearchInput& input) const;
    /// "Search failed: ..." with the reason, and the hint where to set a bind name when the server
    /// refused the anonymous bind or search.
    std::string FailureText(const SearchOutcome& outcome) const;
    wxWindow* FieldControl(SearchField field) const;
    void SetStatus(const std::string& text) { m_status.ShowText(text); }
    /// The status line says a query is running.
    void ShowQueryRunning();
    void StartQuery(std::function<void(DirectoryQuery&)> work, std::function<void()> done,
                    std::function<void(uint32_t entries)> progress = {});
    void ShowAnswer(SearchAnswer& answer, const QueryChoice& choice, const std::string& searchValue,
                    const SearchInput& input);
    void OpenDetailsWindow();
    /// Export's save step: asks for a path with extension and the filter text of filterKey, writes
    /// text() there, and says so when the file cannot be written. Nothing while a query runs.
    void SaveResult(const char* extension, const char* filterKey, const std::function<std::string()>& text);
    void NotifyBusy(bool busy);
    void ShowMessage(const std::string& text, long style, const std::string& details = {}) const;
};
