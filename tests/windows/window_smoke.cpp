// window_smoke.cpp - the window on Windows, run under Wine on a virtual screen: opens the main
// window on a profile (as a double click on a .cvl file does), runs Search through the window's
// command for the search string given, waits for the filled list, sends Exit, and checks that LDAP.ini was written. Any
// debugging check of the toolkit fails it. With STUCK-SERVER it searches that server instead once
// the list is filled (a server the directory library waits for without end, such as ldaps:// to a
// plain port) and sends Exit while that search runs: the close must not wait for it, LDAP.ini is
// written, and the program ends at once. Before all that it reads a JPEG and a PNG as the details
// window reads entries' pictures.
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
#include "platform/picture.h"
#include "search_window/background_query.h"
#include "search_window/result_list.h"
#include "search_window/search_commands.h"
#include "storage/file_utils.h"

namespace {

int g_failures = 0;

/// A JPEG and a PNG of 2 x 3 pixels, as the details window gets entries' pictures.
const std::string kJpeg(
    "\xFF\xD8\xFF\xE0\x00\x10\x4A\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xDB\x00\x43"
    "\x00\x10\x0B\x0C\x0E\x0C\x0A\x10\x0E\x0D\x0E\x12\x11\x10\x13\x18\x28\x1A\x18\x16\x16\x18\x31\x23"
    "\x25\x1D\x28\x3A\x33\x3D\x3C\x39\x33\x38\x37\x40\x48\x5C\x4E\x40\x44\x57\x45\x37\x38\x50\x6D\x51"
    "\x57\x5F\x62\x67\x68\x67\x3E\x4D\x71\x79\x70\x64\x78\x5C\x65\x67\x63\xFF\xDB\x00\x43\x01\x11\x12"
    "\x12\x18\x15\x18\x2F\x1A\x1A\x2F\x63\x42\x38\x42\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63"
    "\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63"
    "\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\xFF\xC0\x00\x11\x08\x00\x03\x00\x02\x03"
    "\x01\x22\x00\x02\x11\x01\x03\x11\x01\xFF\xC4\x00\x15\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x04\xFF\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\xFF\xC4\x00\x15\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x04\x05\xFF\xC4\x00\x14\x11\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\xFF\xDA\x00\x0C\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00\x84\x05\x10\x5F\xFF\xD9",
    287);
const std::string kPng(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00\x03"
    "\x01\x03\x00\x00\x00\x83\x24\x4C\xC2\x00\x00\x00\x03\x50\x4C\x54\x45\x3A\x6E\xA5\xD3\x44\x4C\xD2"
    "\x00\x00\x00\x0B\x49\x44\x41\x54\x08\xD7\x63\x60\x00\x01\x00\x00\x06\x00\x01\x66\xF4\xC9\x6C\x00"
    "\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82",
    83);

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

        // The details window's pictures are read by the system's own decoder.
        for (const std::string* picture : {&kJpeg, &kPng}) {
            const wxImage image = DecodePicture(*picture);
            if (!image.IsOk() || image.GetWidth() != 2 || image.GetHeight() != 3) {
                Fail("a picture of 2 x 3 pixels was not read as one");
            }
        }
        if (DecodePicture("no picture").IsOk()) {
            Fail("bytes that are no picture were read as one");
        }

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
