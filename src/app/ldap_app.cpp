// ldap_app.cpp - CLDAPApp: shows CLDAPDlg, and the start-up probe used by the benchmark and the
// installation test.
#include "app/ldap_app.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include <wx/menu.h>

#include "app/frame/main_window.h"
#include "app/terminate_request.h"
#include "platform/large_blocks.h"
#include "platform/session_end.h"
#include "platform/text.h"

namespace {

/// Prints the items of the menu bar's last drop-down ("?"), so that a test of an installation sees
/// which of its documents the program found.
void PrintLastMenu(const wxFrame& window)
{
    const wxMenuBar* bar = window.GetMenuBar();
    if (bar == nullptr || bar->GetMenuCount() == 0) {
        return;
    }
    std::string items;
    for (const wxMenuItem* item : bar->GetMenu(bar->GetMenuCount() - 1)->GetMenuItems()) {
        items += (items.empty() ? "" : "|") + FromWx(item->GetItemLabelText());
    }
    std::printf("last-menu %s\n", items.c_str());
}

/// Prints the time from launch to the first idle moment after the window is shown, then closes it.
void ArmStartupProbe(CLDAPDlg* window, long long launchNs)
{
    window->Bind(wxEVT_IDLE, [window, launchNs, done = false](wxIdleEvent& event) mutable {
        event.Skip();
        if (done || !window->IsShownOnScreen()) {
            return;
        }
        done = true;
        const long long now =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
        std::printf("startup-ms %.1f\n", static_cast<double>(now - launchNs) / 1e6);
        PrintLastMenu(*window);
        std::fflush(stdout);
        window->Close();
    });
}

/// The one request to terminate of this run (signal handlers take no state).
TerminateRequest* g_terminate = nullptr;

/// The session ending or a request to terminate closes the main window the ordinary way, so its
/// settings are saved, and ends whatever dialog is open.
void RequestTermination(int /*signal*/)
{
    if (g_terminate != nullptr) {
        g_terminate->Request();
    }
}

}  // namespace

CLDAPApp::CLDAPApp(std::vector<std::string> args) : m_args(std::move(args)) {}

CLDAPApp::~CLDAPApp()
{
    g_terminate = nullptr;
}

bool CLDAPApp::OnInit()
{
    ReturnLargeBlocksToSystem();
    // before the window: its start-up may show a message box
    m_terminate = std::make_unique<TerminateRequest>();
    g_terminate = m_terminate.get();
    Bind(wxEVT_END_SESSION, [](wxCloseEvent&) { RequestTermination(0); });
    CloseOnEndRequest(*this, RequestTermination);
    auto* window = new CLDAPDlg(m_args);
    SetTopWindow(window);
    if (const char* probe = std::getenv("CORVANE_STARTUP_PROBE")) {
        ArmStartupProbe(window, std::atoll(probe));
    }
    window->ShowAtStart();
    return true;
}
