// query_runner.h - the sequence every query of the main window goes through: the bind's
// credentials, the status line, the work beside the window, the bind's result and the busy state.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "search/search_rules.h"
#include "search_window/background_query.h"
#include "search_window/status_line.h"
#include "storage/connection_profile.h"

class BindLogin;
class DirectoryQuery;
class TextCatalog;
class wxStatusBar;
class wxWindow;

/**
 * Runs one directory query at a time for the main window's commands, and holds what they share:
 * the current language's catalogue (the only source of their texts), whom the queries bind as,
 * the connection options, the time limit and the status line. A command hands it the input and
 * the work; the runner asks for the password when needed, runs the work beside the window, tells
 * the login how the bind went and reports the busy state before and after.
 */
class QueryRunner {
public:
    /// What the status line shows while a query runs.
    enum class Status {
        Own,      ///< the command shows its own messages
        Passing,  ///< "LDAP query...", and what it showed before once the query has ended
    };
    /** What a command runs: the work and what follows it. */
    struct Steps {
        /// The directory work, on the query's thread, with the bind set on the query.
        std::function<SearchOutcome(DirectoryQuery& query)> work;
        /// On the window's thread once the work has returned, after the login has learnt how the
        /// bind went (and the status line shows again what it showed before a passing query).
        std::function<void(const SearchOutcome& outcome)> done;
        /// On the window's thread once the credentials are there, right before the work starts.
        std::function<void()> starting;
        /// On the window's thread with the entries arrived so far, each time the query tells.
        std::function<void(uint32_t entries)> progress;
    };

    /// window is the parent of message boxes and the owner of the queries' ends; status may be null.
    QueryRunner(wxWindow* window, wxStatusBar* status);
    ~QueryRunner();
    QueryRunner(const QueryRunner&) = delete;
    QueryRunner& operator=(const QueryRunner&) = delete;

    /// The current language's texts (never null); the failure reasons of a search follow them.
    void SetCatalog(std::shared_ptr<const TextCatalog> catalog);
    const std::shared_ptr<const TextCatalog>& Catalog() const { return m_catalog; }
    /// The current language's text of a main-window key; English for a key it does not know.
    std::string Text(const char* key) const;

    /// Whom every query binds as; without a login, anonymously.
    void SetBindLogin(std::unique_ptr<BindLogin> login);
    /// The name the login binds as ("" anonymously); ignored without a login.
    void SetBindUser(const std::string& name);
    void SetConnectionOptions(const ConnectionOptions& options) { m_connection = options; }
    const ConnectionOptions& Connection() const { return m_connection; }
    void SetTimeLimit(int32_t seconds) { m_timeLimitSeconds = seconds; }
    int32_t TimeLimit() const { return m_timeLimitSeconds; }
    /// Called with true when a query starts and false when it has ended or was cancelled.
    void SetBusyHook(std::function<void(bool busy)> hook) { m_busyHook = std::move(hook); }

    /// Runs the steps of a query of input beside the window. False, and nothing runs, while
    /// another query runs or when the user cancelled the password dialog.
    bool Run(const SearchInput& input, Status status, Steps steps);
    /// True while a query runs.
    bool Running() const { return m_query.Running(); }
    /// Stops the running query at once; it ends as usual with what had arrived.
    void Stop() { m_query.Stop(); }
    /// Stops the running query and drops its end (the window closes).
    void Cancel();

    StatusLine& StatusBar() { return m_status; }
    /// The warning that the password travels unencrypted, when a query of input sends one so.
    StatusLine::Compose BindWarning(const SearchInput& input) const;
    /// "Search failed: ..." with the reason, and the hint where to set a bind name when the server
    /// refused the anonymous bind or search.
    std::string FailureText(const SearchOutcome& outcome) const;
    /// A message box over the window with the "ERROR" caption.
    void ShowMessage(const std::string& text, long style, const std::string& details = {}) const;
    wxWindow* Window() const { return m_window; }

private:
    void NotifyBusy(bool busy);

    wxWindow* m_window;
    std::shared_ptr<const TextCatalog> m_catalog;
    std::unique_ptr<BindLogin> m_bindLogin;
    ConnectionOptions m_connection;
    int32_t m_timeLimitSeconds = kSearchTimeLimitSeconds;
    std::function<void(bool)> m_busyHook;
    BackgroundQuery m_query;
    StatusLine m_status;
};
