// ldap_app.h - CLDAPApp, the application object that shows the main window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>

class TerminateRequest;

/**
 * Creates and shows the main window; the program ends when that window closes.
 * With CORVANE_STARTUP_PROBE set to the launch time (nanoseconds since the epoch), it prints the
 * milliseconds from launch to the first idle moment after the window is shown, then closes it.
 */
class CLDAPApp : public wxApp {
public:
    /// The command-line arguments after the program name, as the bytes the system gave.
    explicit CLDAPApp(std::vector<std::string> args);
    ~CLDAPApp() override;
    bool OnInit() override;

private:
    std::vector<std::string> m_args;
    std::unique_ptr<TerminateRequest> m_terminate;  ///< ends open dialogs on a request to terminate
};
