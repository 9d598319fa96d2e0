// bind_login.h - whom the window's searches bind as: the main window's bind name and the
// passwords typed for it during this run, asked for in the password dialog when missing.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "directory/password.h"
#include "search/password_memory.h"

class TextCatalog;
class wxWindow;
struct SearchInput;
struct SearchOutcome;

/** The name and password one query binds with; an empty name binds anonymously, ticket signs in
 * with the user's own Kerberos ticket (the Windows account on Windows) instead. */
struct BindCredentials {
    std::string name;
    Password password;
    bool ticket = false;
};

/**
 * The bind of the main window's searches and details queries. Without a bind name they bind
 * anonymously. With one, the first query to a server and port asks for the password in
 * CPasswordDlg; the password is kept in memory for later queries there with that name, and
 * dropped when the server refuses it, so the next query asks again.
 */
class BindLogin {
public:
    /// parent owns the password dialog. No bind name until one is set: queries bind anonymously.
    /// The password dialog shows the English texts until others are set.
    explicit BindLogin(wxWindow* parent);

    /// The name the following queries bind as ("" anonymously).
    void SetBindUser(std::string name) { m_bindUser = std::move(name); }
    /// The texts of the current language, which the password dialog shows (never null).
    void SetTexts(std::shared_ptr<const TextCatalog> texts) { m_texts = std::move(texts); }

    /// What a query of input binds with: the ticket or anonymous where input's sign-in says so
    /// (no password asked for); anonymous without a bind name; else the name with the
    /// password kept for input's server and port, or one the password dialog asks for (then
    /// kept). nullopt when the user cancelled the dialog: no query is to run.
    std::optional<BindCredentials> For(const SearchInput& input);
    /// After a query of input that bound with used: a refused bind drops the password.
    void Ended(const SearchInput& input, const BindCredentials& used, const SearchOutcome& outcome);
    /// True when a query of input binds with a name and sends its password unencrypted.
    bool PasswordInClear(const SearchInput& input) const;

private:
    wxWindow* m_parent;
    std::string m_bindUser;
    std::shared_ptr<const TextCatalog> m_texts;
    PasswordMemory m_passwords;
};
