// details_command.cpp - DetailsCommand: the details query beside the window, then CDetailsDialog.
#include "search_window/details_command.h"

#include <new>
#include <optional>
#include <set>

#include <wx/button.h>
#include <wx/toplevel.h>

#include "directory/directory_query.h"
#include "search/details_text.h"
#include "search_window/details_dialog.h"
#include "search_window/query_runner.h"
#include "search_window/result_list.h"
#include "search_window/search_field_reader.h"

void DetailsCommand::Details()
{
    if (m_runner.Running()) {
        return;  // the answer being read is not there to look at yet
    }
    SearchInput input;
    if (m_fields.ReadInput(input)) {
        ShowDetails(input);
    }
}

void DetailsCommand::ShowDetails(const SearchInput& input)
{
    if (m_runner.Running()) {
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

    // The query runs beside the window like a search; the status line says so meanwhile, and the
    // Details button waits for it.
    const bool swap = m_fields.Swap();
    auto text = std::make_shared<std::string>();
    auto photos = std::make_shared<std::vector<EntryPhoto>>();
    auto detailsEnabled = std::make_shared<bool>(false);
    QueryRunner::Steps steps;
    steps.starting = [this, detailsEnabled] {
        *detailsEnabled = m_controls.details->IsEnabled();
        m_controls.details->Disable();
    };
    steps.work = [input, swap, slots = m_detailAttributes, shownDns, text, photos,
                  timeLimit = m_runner.TimeLimit()](DirectoryQuery& query) {
        try {
            DetailsAnswer answer =
                DetailsQueryAndText(query, input, swap, slots, shownDns, DetailsForm::AsIs, timeLimit, true);
            *text = std::move(answer.text);
            *photos = std::move(answer.photos);
            return answer.outcome;
        } catch (const std::bad_alloc&) {
            text->clear();
            photos->clear();
            return TooLargeForMemory();
        }
    };
    steps.done = [this, text, photos, detailsEnabled](const SearchOutcome&) {
        m_controls.details->Enable(*detailsEnabled);
        m_lastDetailsText = std::move(*text);
        OpenDetailsWindow(*photos);
    };
    m_runner.Run(input, QueryRunner::Status::Passing, std::move(steps));
}

void DetailsCommand::OpenDetailsWindow(const std::vector<EntryPhoto>& photos)
{
    auto* dialog = new CDetailsDialog(m_controls.window);
    if (auto* top = wxDynamicCast(wxGetTopLevelParent(m_controls.window), wxTopLevelWindow)) {
        dialog->SetIcons(top->GetIcons());
    }
    dialog->SetTexts(m_runner.Catalog());
    dialog->SetDetailsText(m_lastDetailsText);
    dialog->SetPhotos(photos);
    dialog->ShowModal();
    dialog->Destroy();
}
