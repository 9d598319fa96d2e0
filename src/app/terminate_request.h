// terminate_request.h - ends the program on a request to terminate (the session ending, SIGTERM,
// SIGHUP), also while a dialog or message box is open.
#pragma once

#include <vector>

#include <wx/modalhook.h>

class wxDialog;

/**
 * Knows the dialogs and message boxes being shown modally (a modal-dialog hook). Request() ends
 * them, closes the main window the ordinary way (which saves LDAP.ini) and lets the program end;
 * no dialog opens after it. A message box the toolkit shows natively cannot be ended from outside
 * on every desktop: while one is open the process ends at once, after the close has saved.
 */
class TerminateRequest : public wxModalDialogHook {
public:
    TerminateRequest() { Register(); }
    ~TerminateRequest() override { Unregister(); }

    void Request();

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    std::vector<wxDialog*> m_open;  ///< innermost last
    bool m_requested = false;
};
