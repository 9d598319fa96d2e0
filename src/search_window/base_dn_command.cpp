// base_dn_command.cpp - BaseDnCommand: the base DNs the server names, read beside the window.
#include "search_window/base_dn_command.h"

#include <memory>

#include <wx/choicdlg.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include "directory/directory_query.h"
#include "localisation/text_keys.h"
#include "platform/text.h"
#include "search_window/query_runner.h"
#include "search_window/search_field_reader.h"

void BaseDnCommand::Read(const SearchFields& fields, Found found)
{
    const SearchInput input = WithConnection(MakeSearchInput(fields), m_runner.Connection());
    auto bases = std::make_shared<std::vector<std::string>>();
    auto globalCatalog = std::make_shared<bool>(false);
    QueryRunner::Steps steps;
    steps.work = [input, bases, globalCatalog, timeLimit = m_runner.TimeLimit()](DirectoryQuery& query) {
        return ReadBaseDns(query, input, *bases, timeLimit, globalCatalog.get());
    };
    steps.done = [bases, globalCatalog, found = std::move(found)](const SearchOutcome& outcome) {
        found(*bases, outcome, *globalCatalog);
    };
    m_runner.Run(input, QueryRunner::Status::Passing, std::move(steps));
}

void BaseDnCommand::Choose()
{
    if (m_runner.Running()) {
        return;
    }
    const SearchFields fields = m_fields.Read();
    if (fields.server.empty()) {
        m_runner.ShowMessage(m_runner.Text(keys::kNoLDAPServer), wxICON_INFORMATION);
        m_controls.server->SetFocus();
        return;
    }
    Read(fields,
         [this](const std::vector<std::string>& bases, const SearchOutcome& outcome, bool) { Offer(bases, outcome); });
}

void BaseDnCommand::Offer(const std::vector<std::string>& bases, const SearchOutcome& outcome)
{
    if (outcome.stopped) {
        return;
    }
    if (outcome.failed) {
        m_runner.StatusBar().Show([this, outcome] { return m_runner.FailureText(outcome); });
        m_runner.ShowMessage(m_runner.FailureText(outcome), wxICON_ERROR);
        return;
    }
    if (bases.empty()) {
        m_runner.ShowMessage(m_runner.Text(keys::kNoBaseDns), wxICON_INFORMATION);
        return;
    }
    ChooseFrom(bases);
}

bool BaseDnCommand::ChooseFrom(const std::vector<std::string>& bases)
{
    wxArrayString choices;
    for (const std::string& base : bases) {
        choices.Add(ToWx(base));
    }
    wxSingleChoiceDialog dialog(m_controls.window, ToWx(m_runner.Text(keys::kBaseDnsPrompt)),
                                ToWx(m_runner.Text(keys::kBaseDnsCaption)), choices);
    // The toolkit's own button texts are English: the language's texts replace them.
    if (wxWindow* ok = dialog.FindWindow(wxID_OK)) {
        ok->SetLabel(ToWx(m_runner.Text(keys::kBtnOK)));
    }
    if (wxWindow* cancel = dialog.FindWindow(wxID_CANCEL)) {
        cancel->SetLabel(ToWx(m_runner.Text(keys::kBtnCancel)));
    }
    const int current = choices.Index(m_controls.baseDn->GetValue());
    dialog.SetSelection(current == wxNOT_FOUND ? 0 : current);
    if (dialog.ShowModal() != wxID_OK) {
        return false;
    }
    m_controls.baseDn->ChangeValue(choices[dialog.GetSelection()]);
    return true;
}
