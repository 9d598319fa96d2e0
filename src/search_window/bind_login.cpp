// bind_login.cpp - BindLogin: the kept passwords and the password dialog.
#include "search_window/bind_login.h"

#include "directory/server_address.h"
#include "localisation/text_catalog.h"
#include "search_window/password_dialog.h"
#include "search/search_rules.h"

BindLogin::BindLogin(wxWindow* parent) : m_parent(parent), m_texts(std::make_shared<const TextCatalog>()) {}

std::optional<BindCredentials> BindLogin::For(const SearchInput& input)
{
    BindCredentials credentials;
    credentials.ticket = input.signIn == SignIn::Kerberos;
    if (input.signIn != SignIn::Password) {
        return credentials;
    }
    credentials.name = m_bindUser;
    if (credentials.name.empty()) {
        return credentials;
    }
    if (const Password* kept = m_passwords.Find(input.server, input.port, credentials.name)) {
        credentials.password = *kept;
        return credentials;
    }
    CPasswordDlg dialog(m_parent, credentials.name, *m_texts);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    credentials.password = dialog.TakePassword();
    // An empty password fails the query before it connects; the next search asks again.
    if (!credentials.password.Empty()) {
        m_passwords.Remember(input.server, input.port, credentials.name, credentials.password);
    }
    return credentials;
}

void BindLogin::Ended(const SearchInput& input, const BindCredentials& used, const SearchOutcome& outcome)
{
    if (outcome.bindRefused && !used.name.empty()) {
        m_passwords.Forget(input.server, input.port, used.name);
    }
}

bool BindLogin::PasswordInClear(const SearchInput& input) const
{
    return input.signIn == SignIn::Password && !m_bindUser.empty() &&
           SendsPasswordInClear(input.server, input.port, input.startTls);
}
