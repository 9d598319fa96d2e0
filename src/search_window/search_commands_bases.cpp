// search_commands_bases.cpp - SearchCommands: the base DNs the server names, read beside the window.
#include "search_window/search_commands.h"

#include <memory>

#include <wx/choicdlg.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include "directory/directory_query.h"
#include "localisation/text_keys.h"
#include "platform/text.h"
#include "search_window/bind_login.h"

void SearchCommands::ReadBaseDnsThen(const SearchFields& fields,
                                     std::function<void(const std::vector<std::string>&, const SearchOutcome&)> done)
{
    const SearchInput input = WithConnection(MakeSearchInput(fields), m_connection);
    const std::optional<BindCredentials> bind = Credentials(input);
    if (!bind) {
        return;  // the password dialog was cancelled
    }
    const StatusLine::Shown statusBefore = m_status.Current();
    ShowQueryRunning();
    auto bases = std::make_shared<std::vector<std::string>>();
    auto outcome = std::make_shared<SearchOutcome>();
    StartQuery(
        [input, bases, outcome, bind = *bind, timeLimit = m_timeLimitSeconds](DirectoryQuery& query) {
            query.SetBind(bind.name, bind.password);
            *outcome = ReadBaseDns(query, input, *bases, timeLimit);
        },
        [this, input, bases, outcome, statusBefore, bind = *bind, done = std::move(done)] {
            if (m_bindLogin != nullptr) {
                m_bindLogin->Ended(input, bind, *outcome);
            }
            m_status.Restore(statusBefore);
            done(*bases, *outcome);
        });
}

void SearchCommands::ChooseBaseDn()
{
    if (Searching()) {
        return;
    }
    SearchFields fields = ReadFields();
    if (fields.server.empty()) {
        ShowMessage(Text(keys::kNoLDAPServer), wxICON_INFORMATION);
        m_controls.server->SetFocus();
        return;
    }
    ReadBaseDnsThen(fields, [this](const std::vector<std::string>& bases, const SearchOutcome& outcome) {
        if (outcome.stopped) {
            return;
        }
        if (outcome.failed) {
            m_status.Show([this, outcome] { return FailureText(outcome); });
            ShowMessage(FailureText(outcome), wxICON_ERROR);
            return;
        }
        if (bases.empty()) {
            ShowMessage(Text(keys::kNoBaseDns), wxICON_INFORMATION);
            return;
        }
        wxArrayString choices;
        for (const std::string& base : bases) {
            choices.Add(ToWx(base));
        }
        wxSingleChoiceDialog dialog(m_controls.window, ToWx(Text(keys::kBaseDnsPrompt)),
                                    ToWx(Text(keys::kBaseDnsCaption)), choices);
        // The toolkit's own button texts are English: the language's texts replace them.
        if (wxWindow* ok = dialog.FindWindow(wxID_OK)) {
            ok->SetLabel(ToWx(Text(keys::kBtnOK)));
        }
        if (wxWindow* cancel = dialog.FindWindow(wxID_CANCEL)) {
            cancel->SetLabel(ToWx(Text(keys::kBtnCancel)));
        }
        const int current = choices.Index(m_controls.baseDn->GetValue());
        dialog.SetSelection(current == wxNOT_FOUND ? 0 : current);
        if (dialog.ShowModal() == wxID_OK) {
            m_controls.baseDn->ChangeValue(choices[dialog.GetSelection()]);
        }
    });
}
