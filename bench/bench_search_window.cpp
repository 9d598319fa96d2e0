// bench_search_window.cpp - times the main window's Search command, from the command to the filled
// result list, for a 1000-entry answer; prints the median in nanoseconds. Run by
// bench_search_window.sh under Xvfb, which starts the directory and compares with corvane-search.
//
//   bench_search_window PORT [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/utils.h>

#include "app/field_text.h"
#include "app/main_window.h"
#include "app/main_window_template.h"
#include "search_window/result_list.h"
#include "search_window/search_commands.h"

namespace {

/** Opens the main window, runs the search RUNS times and prints the median. */
class BenchApp : public wxApp {
public:
    bool OnInit() override
    {
        if (argc < 2) {
            std::fprintf(stderr, "usage: bench_search_window PORT [RUNS]\n");
            return false;
        }
        const std::string port = FromArg(1);
        const int runs = argc > 2 ? std::max(1, std::atoi(FromArg(2).c_str())) : 20;

        auto* window = new CLDAPDlg({});
        window->Show();
        SetFieldText(*window, ctl::kServer, "127.0.0.1");
        SetFieldText(*window, ctl::kPort, port);
        SetFieldText(*window, ctl::kBaseDn, "dc=corvane,dc=test");
        SetFieldText(*window, ctl::kSearchAttribute, "uid");
        SetFieldText(*window, ctl::kResultAttribute, "cn");
        SetFieldText(*window, ctl::kSearchString, "p0");
        auto* list = static_cast<CResultList*>(window->FindWindow(ctl::kResultList));

        std::vector<long long> times;
        for (int i = 0; i < runs; ++i) {
            const auto start = std::chrono::steady_clock::now();
            window->Commands().Search();
            // The search runs beside the window; its answer fills the list from the event queue.
            while (window->Commands().Searching()) {
                ProcessPendingEvents();
                if (window->Commands().Searching()) {
                    wxMilliSleep(0);
                }
            }
            const auto end = std::chrono::steady_clock::now();
            if (list->ItemCount() != 1000) {
                std::fprintf(stderr, "bench_search_window: expected 1000 items, got %zu\n", list->ItemCount());
                m_status = 1;
                break;
            }
            times.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count());
            Yield();  // let the list paint between runs, as it would between user commands
        }
        if (m_status == 0) {
            std::sort(times.begin(), times.end());
            const size_t n = times.size();
            const long long median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
            std::printf("%lld\n", median);
        }
        window->Destroy();
        return true;
    }

    int OnRun() override { return m_status; }

private:
    std::string FromArg(int i) const { return std::string(argv[i].utf8_str()); }

    int m_status = 0;
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    return wxEntry(argc, argv);
}
