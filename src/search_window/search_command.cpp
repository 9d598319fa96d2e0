// search_command.cpp - SearchCommand: the search run beside the window and its answer in the list.
#include "search_window/search_command.h"

#include <algorithm>
#include <new>

#include <wx/button.h>
#include <wx/textctrl.h>

#include "directory/directory_query.h"
#include "localisation/text_keys.h"
#include "platform/collation.h"
#include "platform/text.h"
#include "search_window/base_dn_command.h"
#include "search_window/query_runner.h"
#include "search_window/result_list.h"
#include "search_window/search_field_reader.h"

namespace {

/// The shortest time between two reports of the entries that have arrived.
constexpr std::chrono::milliseconds kProgressInterval{200};

}  // namespace

void SearchCommand::Search()
{
    if (m_runner.Running()) {
        return;  // one query at a time: a second Search while one runs is ignored
    }
    Begin();
    // An empty DN field with everything else given: a global catalog's port searches the whole
    // forest; elsewhere the server is asked for its base DNs first, and the search goes on below
    // the base when the server names exactly one, or the one chosen when it names several.
    if (const SearchFields fields = m_fields.Read(); fields.baseDn.empty()) {
        SearchFields withBase = fields;
        withBase.baseDn.assign(1, '-');  // any text: only the other checks matter here
        if (!CheckSearchFields(withBase)) {
            if (OnGlobalCatalogPort(fields.server, ParsePort(fields.port))) {
                Run(true);
                return;
            }
            m_bases.Read(fields, [this](const std::vector<std::string>& bases, const SearchOutcome&,
                                        bool globalCatalog) { SearchBelow(bases, globalCatalog); });
            return;
        }
    }
    Run();
}

void SearchCommand::Begin()
{
    m_controls.details->Disable();
    ClearList();
}

void SearchCommand::SearchBelow(const std::vector<std::string>& bases, bool globalCatalog)
{
    if (globalCatalog) {
        Begin();
        Run(true);
        return;
    }
    if (bases.size() == 1) {
        m_controls.baseDn->ChangeValue(ToWx(bases.front()));
    }
    if (bases.empty() || (bases.size() > 1 && !m_bases.ChooseFrom(bases))) {
        SearchInput unused;
        m_fields.ReadInput(unused);  // says that no DN is given, as without the server's help
        return;
    }
    Begin();
    Run();
}

void SearchCommand::Run(bool forest)
{
    SearchInput input;
    if (!m_fields.ReadInput(input, forest)) {
        return;  // the export keeps the last search's values
    }
    const bool swap = m_fields.Swap();
    const std::string searchValue = SearchValue(input, swap);
    const QueryChoice choice = ChooseQuery(input, swap);
    auto shown = std::make_shared<ShownResult>();

    QueryRunner::Steps steps;
    steps.starting = [this, input] {
        m_runner.StatusBar().Show([] { return std::string(); }, m_runner.BindWarning(input));
        // The progress item shows while the directory is asked beside the window, which stays alive.
        m_controls.list->ShowMessage(ToWx(m_runner.Text(keys::kLDAPQuery)));
        m_result->Clear();  // nothing reads the last result while its successor is read
    };
    steps.work = [input, choice, searchValue, shown, timeLimit = m_runner.TimeLimit()](DirectoryQuery& query) {
        // The answer is laid out here too, off the user-interface thread: the window repaints
        // meanwhile, and Escape and the time limit end the layout as they end the search.
        try {
            return SearchAndLayOut(query, input, choice, searchValue, *shown, timeLimit);
        } catch (const std::bad_alloc&) {
            shown->Set(ResultTable(), choice);  // nothing half-laid-out is shown
            return TooLargeForMemory();
        }
    };
    steps.done = [this, shown, searchValue, input](const SearchOutcome& outcome) {
        ShowAnswer(outcome, shown, searchValue, input);
    };
    steps.progress = [this, input](uint32_t entries) {
        // A paged search says how many entries have arrived so far, a few times a second at
        // most: pages may arrive far more often than anyone can read.
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastProgress < kProgressInterval) {
            return;
        }
        m_lastProgress = now;
        m_runner.StatusBar().Show(
            [this, count = std::to_string(entries)] {
                return FillPlaceholder(m_runner.Text(keys::kStatusArriving), count);
            },
            m_runner.BindWarning(input));
    };
    if (m_runner.Run(input, QueryRunner::Status::Own, std::move(steps)) && m_queryStartHook) {
        m_queryStartHook();
    }
}

void SearchCommand::ShowAnswer(const SearchOutcome& outcome, std::shared_ptr<ShownResult> shown,
                               const std::string& searchValue, const SearchInput& input)
{
    CResultList* list = m_controls.list;
    StatusLine& status = m_runner.StatusBar();
    const size_t entries = shown->EntryCount();

    list->Freeze();
    list->ClearItems();
    list->HideSortArrow();
    if (outcome.failed) {
        list->ShowMessage(ToWx(m_runner.FailureText(outcome)));  // the old columns stay
        status.Show([this, outcome] { return m_runner.FailureText(outcome); }, m_runner.BindWarning(input));
    } else if (entries == 0 && outcome.stopped) {
        // nothing had arrived, or been laid out, when the user stopped: that is no answer of the directory's
        list->ShowMessage(ToWx(FillPlaceholder(m_runner.Text(keys::kStatusStopped), "0")));  // the old columns stay
    } else if (entries == 0) {
        list->ShowMessage(ToWx(FillPlaceholder(m_runner.Text(keys::kNoResult), searchValue)));  // the old columns stay
    } else {
        m_controls.details->Enable();
        // A negative width would ask the list to size the column itself.
        const int width = std::max(0, list->GetSize().GetWidth() - 20);
        std::vector<wxString> headings;
        for (const std::string& heading : shown->ShownHeadings()) {
            headings.push_back(ToWx(heading));
        }
        list->SetColumns(headings, width / static_cast<int>(std::max<size_t>(headings.size(), 1)));
    }
    if (!outcome.failed) {
        // A stopped search shows what had arrived, like a limit answer, and says it was stopped.
        const char* key = outcome.stopped         ? keys::kStatusStopped
                          : outcome.serverLimited ? keys::kStatusServerLimit
                          : outcome.cut           ? keys::kStatusCut
                                                  : keys::kStatusEntries;
        // A server found by DNS is named after the count.
        status.Show(
            [this, key, count = std::to_string(entries), server = outcome.answeredBy] {
                const std::string counted = FillPlaceholder(m_runner.Text(key), count);
                return server.empty()
                           ? counted
                           : FillPlaceholder(FillPlaceholder(m_runner.Text(keys::kAnsweredBy), counted), server);
            },
            m_runner.BindWarning(input));
    }

    // Every value stands under its attribute's column. An entry without values gets no item but
    // keeps its export row; the shown result knows the entry of every item for the details view.
    m_result = std::move(shown);
    if (m_result->HasItems()) {
        list->ShowResult(m_result);
    }
    list->Thaw();
}

void SearchCommand::SortByColumn(unsigned column, bool ascending)
{
    const std::vector<size_t> selected = m_controls.list->SelectedItems();
    std::vector<uint32_t> followed(selected.begin(), selected.end());
    if (m_result->SortBy(column, ascending, CollationKey, followed)) {
        m_controls.list->ShowReordered({followed.begin(), followed.end()});
    }
}

void SearchCommand::ClearList()
{
    m_controls.list->ClearItems();
    m_result->ClearItems();
    m_runner.StatusBar().ShowText("");
}
