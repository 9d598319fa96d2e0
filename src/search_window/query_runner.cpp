// query_runner.cpp - QueryRunner: credentials, status line, the work beside the window, the bind's
// result and the busy state of every query of the main window.
#include "search_window/query_runner.h"

#include <cstring>
#include <map>
#include <optional>
#include <utility>

#include <wx/window.h>

#include "directory/directory_query.h"
#include "directory/query_failure.h"
#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "platform/message_box.h"
#include "search_window/bind_login.h"

QueryRunner::QueryRunner(wxWindow* window, wxStatusBar* status)
    : m_window(window), m_catalog(std::make_shared<const TextCatalog>()), m_query(window), m_status(status)
{}

QueryRunner::~QueryRunner() = default;

void QueryRunner::SetCatalog(std::shared_ptr<const TextCatalog> catalog)
{
    m_catalog = std::move(catalog);
    if (m_bindLogin != nullptr) {
        m_bindLogin->SetTexts(m_catalog);
    }
    // The failure reasons a search composes come in the same language.
    std::map<std::string, std::string> texts;
    for (const TextKey& row : MainWindowKeys()) {
        texts[row.key] = m_catalog->Text(row);
    }
    SetFailureTexts(std::move(texts));
}

std::string QueryRunner::Text(const char* key) const
{
    for (const TextKey& row : MainWindowKeys()) {
        if (std::strcmp(row.key, key) == 0) {
            return m_catalog->Text(row);
        }
    }
    return EnglishText(key);
}

void QueryRunner::SetBindLogin(std::unique_ptr<BindLogin> login)
{
    m_bindLogin = std::move(login);
    if (m_bindLogin != nullptr) {
        m_bindLogin->SetTexts(m_catalog);
    }
}

void QueryRunner::SetBindUser(const std::string& name)
{
    if (m_bindLogin != nullptr) {
        m_bindLogin->SetBindUser(name);
    }
}

bool QueryRunner::Run(const SearchInput& input, Status status, Steps steps)
{
    if (Running()) {
        return false;
    }
    const std::optional<BindCredentials> bind =
        m_bindLogin != nullptr ? m_bindLogin->For(input) : std::optional<BindCredentials>(BindCredentials{});
    if (!bind) {
        return false;  // the password dialog was cancelled: no query
    }
    std::optional<StatusLine::Shown> before;
    if (status == Status::Passing) {
        before = m_status.Current();
        m_status.Show([this] { return Text(keys::kLDAPQuery); });
    }
    if (steps.starting) {
        steps.starting();
    }
    auto outcome = std::make_shared<SearchOutcome>();
    const bool started = m_query.Start(
        [work = std::move(steps.work), outcome, bind = *bind](DirectoryQuery& query) {
            query.SetBind(bind.name, bind.password);
            query.SetSignIn(bind.ticket ? SignIn::Kerberos : SignIn::Password);
            *outcome = work(query);
        },
        [this, input, outcome, before, bind = *bind, done = std::move(steps.done)] {
            NotifyBusy(false);
            if (m_bindLogin != nullptr) {
                m_bindLogin->Ended(input, bind, *outcome);
            }
            if (before) {
                m_status.Restore(*before);
            }
            done(*outcome);
        },
        std::move(steps.progress));
    if (started) {
        NotifyBusy(true);
    }
    return started;
}

void QueryRunner::Cancel()
{
    if (Running()) {
        m_query.Cancel();
        NotifyBusy(false);
    }
}

void QueryRunner::NotifyBusy(bool busy)
{
    if (m_busyHook) {
        m_busyHook(busy);
    }
}

StatusLine::Compose QueryRunner::BindWarning(const SearchInput& input) const
{
    if (m_bindLogin == nullptr || !m_bindLogin->PasswordInClear(input)) {
        return {};
    }
    return [this] {
        return Text(keys::kPasswordUnencrypted);
    };
}

std::string QueryRunner::FailureText(const SearchOutcome& outcome) const
{
    // Plain replacement of the placeholders: reasons and menu texts are never formats.
    std::string text = FillPlaceholder(Text(keys::kSearchFailed), outcome.failureReason);
    const std::string command = Text(keys::kMenuConnection);
    const std::string where = Text(keys::kMenuOptions) + " > " + command.substr(0, command.find('\t'));
    if (outcome.needsBind) {
        text += " - " + FillPlaceholder(Text(keys::kNeedsBind), where);
    }
    if (outcome.needsSecureBind) {
        text += " - " + FillPlaceholder(Text(keys::kNeedsSecureBind), where);
    }
    return text;
}

void QueryRunner::ShowMessage(const std::string& text, long style, const std::string& details) const
{
    ShowMessageBox(m_window, text, Text(keys::kError), style, details);
}
