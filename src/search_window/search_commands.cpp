// search_commands.cpp - the main window's Search, Details and Export commands on its controls.
#include "search_window/search_commands.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <new>
#include <optional>
#include <set>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include "directory/directory_query.h"
#include "localisation/text_catalog.h"
#include "directory/query_failure.h"
#include "localisation/text_keys.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/collation.h"
#include "platform/text.h"
#include "platform/text_codec.h"
#include "search_window/bind_login.h"
#include "search_window/details_dialog.h"
#include "search/details_text.h"
#include "search/export_text.h"
#include "search_window/result_list.h"
#include "storage/file_utils.h"

namespace {

/// The shortest time between two reports of the entries that have arrived.
constexpr std::chrono::milliseconds kProgressInterval{200};

/// A field's text as bytes, cut to the longest value a field holds without splitting a character.
std::string FieldText(const wxString& text)
{
    return CutToBytes(FromWx(text), kFieldLimit);
}

}  // namespace

/** What the directory work of one search hands back to the window. */
struct SearchCommands::SearchAnswer {
    SearchOutcome outcome;
    /// The entries sorted by DN and laid out beside the window; never null.
    std::shared_ptr<ShownResult> shown = std::make_shared<ShownResult>();
};

SearchCommands::SearchCommands(SearchControls controls)
    : m_controls(controls),
      m_catalog(std::make_shared<const TextCatalog>()),
      m_result(std::make_shared<ShownResult>()),
      m_query(controls.window),
      m_status(controls.status)
{}

SearchCommands::~SearchCommands() = default;

void SearchCommands::SetCatalog(std::shared_ptr<const TextCatalog> catalog)
{
    m_catalog = std::move(catalog);
    if (m_bindLogin != nullptr)
        m_bindLogin->SetTexts(m_catalog);
}

void SearchCommands::SetBindLogin(std::unique_ptr<BindLogin> login)
{
    m_bindLogin = std::move(login);
    if (m_bindLogin != nullptr)
        m_bindLogin->SetTexts(m_catalog);
}

void SearchCommands::SetBindUser(const std::string& name)
{
    if (m_bindLogin != nullptr)
        m_bindLogin->SetBindUser(name);
}

void SearchCommands::SetTexts(std::map<std::string, std::string> texts)
{
    m_texts = std::move(texts);
    // the failure reasons a search composes come in the same language
    SetFailureTexts(m_texts);
}

std::string SearchCommands::Text(const char* key) const
{
    const auto found = m_texts.find(key);
    return found != m_texts.end() ? found->second : EnglishText(key);
}

std::optional<BindCredentials> SearchCommands::Credentials(const SearchInput& input)
{
    return m_bindLogin != nullptr ? m_bindLogin->For(input) : std::optional<BindCredentials>(BindCredentials{});
}

StatusLine::Compose SearchCommands::BindWarning(const SearchInput& input) const
{
    if (m_bindLogin == nullptr || !m_bindLogin->PasswordInClear(input)) {
        return {};
    }
    return [this] {
        return Text(keys::kPasswordUnencrypted);
    };
}

std::string SearchCommands::FailureText(const SearchOutcome& outcome) const
{
    // Plain replacement of the placeholders: reasons and menu texts are never formats.
    std::string text = FillPlaceholder(Text(keys::kSearchFailed), outcome.failureReason);
    if (outcome.needsBind) {
        const std::string command = Text(keys::kMenuConnection);
        const std::string where = Text(keys::kMenuOptions) + " > " + command.substr(0, command.find('\t'));
        text += " - " + FillPlaceholder(Text(keys::kNeedsBind), where);
    }
    return text;
}

void SearchCommands::ShowQueryRunning()
{
    m_status.Show([this] { return Text(keys::kLDAPQuery); });
}

wxWindow* SearchCommands::FieldControl(SearchField field) const
{
    switch (field) {
        case SearchField::SearchString:
            return m_controls.searchString;
        case SearchField::Server:
            return m_controls.server;
        case SearchField::SearchAttribute:
            return m_controls.searchAttribute;
        case SearchField::BaseDn:
            return m_controls.baseDn;
        case SearchField::ResultAttribute:
            return m_controls.resultAttribute;
    }
    return nullptr;
}

void SearchCommands::ClearList()
{
    m_controls.list->ClearItems();
    m_result->ClearItems();
    SetStatus("");
}

void SearchCommands::ShowMessage(const std::string& text, long style, const std::string& details) const
{
    ShowMessageBox(m_controls.window, text, Text(keys::kError), style, details);
}

SearchFields SearchCommands::ReadFields() const
{
    SearchFields fields;
    fields.server = FieldText(m_controls.server->GetValue());
    fields.port = FieldText(m_controls.port->GetValue());
    fields.baseDn = FieldText(m_controls.baseDn->GetValue());
    fields.preselection = FieldText(m_controls.preselection->GetValue());
    fields.searchString = FieldText(m_controls.searchString->GetValue());
    fields.searchAttribute = FieldText(m_controls.searchAttribute->GetValue());
    fields.resultAttribute = FieldText(m_controls.resultAttribute->GetValue());
    return fields;
}

bool SearchCommands::ReadSearchInput(SearchInput& input)
{
    const SearchFields fields = ReadFields();
    if (const std::optional<InputCheckFailure> failure = CheckSearchFields(fields)) {
        ShowMessage(Text(failure->messageKey), wxICON_INFORMATION);
        if (wxWindow* control = FieldControl(failure->field)) {
            control->SetFocus();
        }
        return false;
    }
    input = WithConnection(MakeSearchInput(fields), m_connection);
    return true;
}

void SearchCommands::Search()
{
    if (Searching()) {
        return;  // one query at a time: a second Search while one runs is ignored
    }
    CResultList* list = m_controls.list;
    m_controls.details->Disable();
    ClearList();

    // An empty DN field with everything else given: the server is asked for its base DN first,
    // and the search goes on below it when the server names exactly one.
    if (const SearchFields fields = ReadFields(); fields.baseDn.empty()) {
        SearchFields withBase = fields;
        withBase.baseDn.assign(1, '-');  // any text: only the other checks matter here
        if (!CheckSearchFields(withBase)) {
            ReadBaseDnsThen(fields, [this](const std::vector<std::string>& bases, const SearchOutcome&) {
                if (bases.size() == 1) {
                    m_controls.baseDn->ChangeValue(ToWx(bases.front()));
                    Search();
                    return;
                }
                SearchInput unused;
                ReadSearchInput(unused);  // says that no DN is given, as without the server's help
            });
            return;
        }
    }

    SearchInput input;
    if (!ReadSearchInput(input)) {
        return;  // the export table keeps the last search's values
    }
    const std::optional<BindCredentials> bind = Credentials(input);
    if (!bind) {
        return;  // the password dialog was cancelled: no search
    }
    const bool swap = m_controls.swap->GetValue();
    const std::string searchValue = SearchValue(input, swap);
    const QueryChoice choice = ChooseQuery(input, swap);

    m_status.Show([] { return std::string(); }, BindWarning(input));
    // The progress item shows while the directory is asked beside the window, which stays alive.
    list->ShowMessage(ToWx(Text(keys::kLDAPQuery)));
    m_result->Clear();  // nothing reads the last result while its successor is read
    auto answer = std::make_shared<SearchAnswer>();
    StartQuery(
        [input, choice, searchValue, answer, bind = *bind, timeLimit = m_timeLimitSeconds](DirectoryQuery& query) {
            query.SetBind(bind.name, bind.password);
            // The answer is laid out here too, off the user-interface thread: the window repaints
            // meanwhile, and Escape and the time limit end the layout as they end the search.
            try {
                answer->outcome = SearchAndLayOut(query, input, choice, searchValue, *answer->shown, timeLimit);
            } catch (const std::bad_alloc&) {
                answer->outcome = TooLargeForMemory();  // nothing half-laid-out is shown
                answer->shown->Set(ResultTable(), choice);
            }
        },
        [this, answer, choice, searchValue, input, bind = *bind] {
            if (m_bindLogin != nullptr) {
                m_bindLogin->Ended(input, bind, answer->outcome);
            }
            ShowAnswer(*answer, choice, searchValue, input);
        },
        [this, input](uint32_t entries) {
            // A paged search says how many entries have arrived so far, a few times a second at
            // most: pages may arrive far more often than anyone can read.
            const auto now = std::chrono::steady_clock::now();
            if (now - m_lastProgress < kProgressInterval) {
                return;
            }
            m_lastProgress = now;
            m_status.Show(
                [this, count = std::to_string(entries)] { return FillPlaceholder(Text(keys::kStatusArriving), count); },
                BindWarning(input));
        });
    if (m_queryStartHook) {
        m_queryStartHook();
    }
}

void SearchCommands::ShowAnswer(SearchAnswer& answer, const QueryChoice& choice, const std::string& searchValue,
                                const SearchInput& input)
{
    CResultList* list = m_controls.list;
    const SearchOutcome& outcome = answer.outcome;
    const size_t entries = answer.shown->EntryCount();
    const int32_t columnCount = choice.columnCount();

    list->Freeze();
    list->ClearItems();
    list->HideSortArrow();
    if (outcome.failed) {
        list->ShowMessage(ToWx(FailureText(outcome)));  // the old columns stay
        m_status.Show([this, outcome] { return FailureText(outcome); }, BindWarning(input));
    } else if (entries == 0 && outcome.stopped) {
        // nothing had arrived, or been laid out, when the user stopped: that is no answer of the directory's
        list->ShowMessage(ToWx(FillPlaceholder(Text(keys::kStatusStopped), "0")));  // the old columns stay
    } else if (entries == 0) {
        list->ShowMessage(ToWx(FillPlaceholder(Text(keys::kNoResult), searchValue)));  // the old columns stay
    } else {
        m_controls.details->Enable();
        // A negative width would ask the list to size the column itself.
        const int width = std::max(0, list->GetSize().GetWidth() - 20);
        std::vector<wxString> headings;
        for (const std::string& heading : choice.headings) {
            headings.push_back(ToWx(heading));
        }
        list->SetColumns(headings, width / columnCount);
    }
    if (!outcome.failed) {
        // A stopped search shows what had arrived, like a limit answer, and says it was stopped.
        const char* key = outcome.stopped ? keys::kStatusStopped
                          : outcome.cut   ? keys::kStatusCut
                                          : keys::kStatusEntries;
        m_status.Show([this, key, count = std::to_string(entries)] { return FillPlaceholder(Text(key), count); },
                      BindWarning(input));
    }

    // Every value stands under its attribute's column. An entry without values gets no item but
    // keeps its export row; the shown result knows the entry of every item for the details view.
    m_result = std::move(answer.shown);
    if (m_result->HasItems()) {
        list->ShowResult(m_result);
    }
    list->Thaw();
}

void SearchCommands::SortByColumn(unsigned column, bool ascending)
{
    CResultList* list = m_controls.list;
    const std::vector<size_t> selected = list->SelectedItems();
    std::vector<uint32_t> followed(selected.begin(), selected.end());
    if (m_result->SortBy(column, ascending, CollationKey, followed)) {
        list->ShowReordered({followed.begin(), followed.end()});
    }
}

void SearchCommands::Details()
{
    if (Searching()) {
        return;  // the answer being read is not there to look at yet
    }
    SearchInput input;
    if (ReadSearchInput(input)) {
        ShowDetails(input);
    }
}

void SearchCommands::ShowDetails(const SearchInput& input)
{
    if (Searching()) {
        return;
    }
    // The chosen entries are named by DN, not by list position: entries without a value of the
    // result attribute have no list item, so positions of items and answer rows differ. Items that
    // stand for no entry (the no-result message) choose nothing; when no entry is chosen, all show.
    const std::vector<std::string> itemDns = m_result->ItemDns();
    std::set<std::string> chosen;
    for (size_t item : m_controls.list->SelectedItems()) {
        if (item < itemDns.size()) {
            chosen.insert(itemDns[item]);
        }
    }
    std::optional<std::set<std::string>> shownDns;
    if (!chosen.empty()) {
        shownDns = std::move(chosen);
    }

    const std::optional<BindCredentials> bind = Credentials(input);
    if (!bind) {
        return;  // the password dialog was cancelled: no details
    }
    const bool swap = m_controls.swap->GetValue();
    const DetailSlots slots = m_detailAttributes;
    // The query runs beside the window like a search; the status line says so meanwhile, and the
    // Details button waits for it.
    const StatusLine::Shown statusBefore = m_status.Current();
    const bool detailsEnabled = m_controls.details->IsEnabled();
    m_controls.details->Disable();
    ShowQueryRunning();
    auto text = std::make_shared<std::string>();
    auto outcome = std::make_shared<SearchOutcome>();
    StartQuery(
        [input, swap, slots, shownDns, text, outcome, bind = *bind,
         timeLimit = m_timeLimitSeconds](DirectoryQuery& query) {
            query.SetBind(bind.name, bind.password);
            try {
                DetailsAnswer answer =
                    DetailsQueryAndText(query, input, swap, slots, shownDns, DetailsForm::AsIs, timeLimit);
                *outcome = answer.outcome;
                *text = std::move(answer.text);
            } catch (const std::bad_alloc&) {
                *outcome = TooLargeForMemory();
                text->clear();
            }
        },
        [this, text, outcome, statusBefore, detailsEnabled, input, bind = *bind] {
            if (m_bindLogin != nullptr) {
                m_bindLogin->Ended(input, bind, *outcome);
            }
            m_status.Restore(statusBefore);
            m_controls.details->Enable(detailsEnabled);
            m_lastDetailsText = std::move(*text);
            OpenDetailsWindow();
        });
}

void SearchCommands::OpenDetailsWindow()
{
    auto* dialog = new CDetailsDialog(m_controls.window);
    if (auto* top = wxDynamicCast(wxGetTopLevelParent(m_controls.window), wxTopLevelWindow)) {
        dialog->SetIcons(top->GetIcons());
    }
    dialog->SetTexts(m_catalog);
    dialog->SetDetailsText(m_lastDetailsText);
    dialog->ShowModal();
    dialog->Destroy();
}

void SearchCommands::StartQuery(std::function<void(DirectoryQuery&)> work, std::function<void()> done,
                                std::function<void(uint32_t)> progress)
{
    const bool started = m_query.Start(
        std::move(work),
        [this, done = std::move(done)] {
            NotifyBusy(false);
            done();
        },
        std::move(progress));
    if (started) {
        NotifyBusy(true);
    }
}

void SearchCommands::StopSearch()
{
    m_query.Stop();
}

void SearchCommands::CancelSearch()
{
    if (Searching()) {
        m_query.Cancel();
        NotifyBusy(false);
    }
}

void SearchCommands::NotifyBusy(bool busy)
{
    if (m_busyHook) {
        m_busyHook(busy);
    }
}

void SearchCommands::Export()
{
    SaveResult("csv", keys::kCSVFilter, [this] { return ExportText(*m_result); });
}

void SearchCommands::SaveResult(const char* extension, const char* filterKey, const std::function<std::string()>& text)
{
    if (Searching()) {
        return;  // the result is being replaced
    }
    const std::optional<std::string> path =
        AskFilePath(m_controls.window, FileDialogMode::Save, extension, Text(filterKey), Text(keys::kSelectFile));
    if (!path) {
        return;
    }
    if (!WriteFileReplacing(*path, text())) {
        ShowMessage(Text(keys::kFileCreateError), wxICON_ERROR, WriteFailureDetails(*path));
    }
}
