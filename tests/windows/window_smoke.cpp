// window_smoke.cpp - the window on Windows, run under Wine on a virtual screen: opens the main
// window on a profile (as a double click on a .cvl file does), runs Search through the window's
// command for the search string given, waits for the filled list, sends Exit, and checks that LDAP.ini was written. Any
// debugging check of the toolkit fails it. With STUCK-SERVER it searches that server instead once
// the list is filled (a server the directory library waits for without end, such as ldaps:// to a
// plain port) and sends Exit while that search runs: the close must not wait for it, LDAP.ini is
// written, and the program ends at once.
//
//   window_smoke PROFILE SEARCH-STRING EXPECTED-ROWS [STUCK-SERVER]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/utils.h>

#include "app/frame/main_window.h"
#include "app/sessions/field_text.h"
#include "app/program_folders.h"
#include "app/frame/main_window_template.h"
#include "platform/command_ids.h"
#include "platform/command_line.h"
#include "search_window/background_query.h"
#include "search_window/result_list.h"
#include "search_window/search_commands.h"
#include "storage/file_utils.h"

namespace {

int g_failures = 0;

void Fail(const std::string& text)
{
    std::fprintf(stderr, "window_smoke: %s\n", text.c_str());
    ++g_failures;
}

class SmokeApp : public wxApp {
public:
    bool OnInit() override
    {
        wxSetAssertHandler(
            [](const wxString& file, int line, const wxString&, const wxString& cond, const wxString& message) {
                Fail("debugging check at " + std::string(file.utf8_str()) + ":" + std::to_string(line) + ": " +
                     std::string(cond.utf8_str()) + " " + std::string(message.utf8_str()));
            });
        if (argc < 4) {
            Fail("usage: window_smoke PROFILE SEARCH-STRING EXPECTED-ROWS");
            return false;
        }
        const std::vector<std::string> args = CommandArguments(0, nullptr);
        const std::string& profile = args.at(0);
        const std::size_t expected = std::strtoul(args.at(2).c_str(), nullptr, 10);

        auto* window = new CLDAPDlg({profile});
        SetTopWindow(window);
        window->ShowAtStart();
        const std::string settings = window->Folders().storage + "LDAP.ini";
        RemoveFile(settings, true);

        SetFieldText(*window, ctl::kSearchString, args.at(1));
        window->Commands().Search();
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (window->Commands().Searching() && std::chrono::steady_clock::now() < give_up) {
            ProcessPendingEvents();
            wxMilliSleep(10);
        }
        Yield();
        const auto* list = static_cast<CResultList*>(window->FindWindow(ctl::kResultList));
        if (list == nullptr || list->ItemCount() != expected) {
            Fail("expected " + std::to_string(expected) + " rows, the list shows " +
                 std::to_string(list == nullptr ? 0 : list->ItemCount()));
        }

        if (args.size() > 3) {
            SetFieldText(*window, ctl::kServer, args.at(3));
            window->Commands().Search();
            const auto later = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (std::chrono::steady_clock::now() < later) {
                ProcessPendingEvents();
                wxMilliSleep(10);
            }
            if (!window->Commands().Searching()) {
                Fail("the search of " + args.at(3) + " ended by itself: the close is not tried while one runs");
            }
        }

        // File > Exit, as the user closes it
        const auto closing = std::chrono::steady_clock::now();
        wxCommandEvent exit(wxEVT_MENU, ToWxId(cmd::kExit));
        window->GetEventHandler()->ProcessEvent(exit);
        ProcessPendingEvents();
        if (!FileExists(settings)) {
            Fail("closing did not write " + settings);
        }
        std::printf("window_smoke: closed in %lld ms\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                               std::chrono::steady_clock::now() - closing)
                                               .count()));
        std::printf("window_smoke: %zu rows, %s written\n", expected, settings.c_str());
        return true;
    }

    int OnRun() override
    {
        // the closed window is deleted once the loop is idle; the loop then ends by itself
        wxApp::OnRun();
        return g_failures == 0 ? 0 : 1;
    }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(SmokeApp);

int main(int argc, char** argv)
{
    const int status = wxEntry(argc, argv);
    // as the program's own main: a search left inside the directory library does not hold the end
    if (BackgroundQuery::AnyLeftRunning()) {
        std::printf("window_smoke: ended with a search left running\n");
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
