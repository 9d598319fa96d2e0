// bench_search_window.cpp - times the main window's Search command, from the command to the filled
// result list, then a sort of the filled list by its first column heading (as a click on it does),
// and reads the window's peak memory. Run by bench_search_window.sh under Xvfb, which starts the
// directory and compares with corvane-search.
//
//   bench_search_window PORT [RUNS [ENTRIES SEARCH-ATTRIBUTE RESULT-ATTRIBUTE SEARCH-STRING]]
//
// Defaults: 20 runs, 1000 entries, uid, cn, p0. ENTRIES is also the entry cap of the search. Prints
// one line: the median Search time in nanoseconds, the median heading sort time in nanoseconds,
// the peak resident memory in KiB before the first search and at the end.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/utils.h>

#include "app/sessions/field_text.h"
#include "app/frame/main_window.h"
#include "app/frame/main_window_template.h"
#include "platform/large_blocks.h"
#include "search_window/result_list.h"
#include "search_window/search_commands.h"

namespace {

long PeakKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long long Median(std::vector<long long> times)
{
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

/** Opens the main window, runs the search RUNS times, sorts the list and prints the figures. */
class BenchApp : public wxApp {
public:
    bool OnInit() override
    {
        if (argc < 2 || (argc > 3 && argc != 7)) {
            std::fprintf(stderr,
                         "usage: bench_search_window PORT [RUNS [ENTRIES SEARCH-ATTRIBUTE RESULT-ATTRIBUTE "
                         "SEARCH-STRING]]\n");
            return false;
        }
        const std::string port = FromArg(1);
        const int runs = argc > 2 ? std::max(1, std::atoi(FromArg(2).c_str())) : 20;
        const bool own = argc == 7;
        const size_t entries = own ? std::strtoul(FromArg(3).c_str(), nullptr, 10) : 1000;

        ReturnLargeBlocksToSystem();  // as the program does at start
        auto* window = new CLDAPDlg({});
        window->Show();
        SetFieldText(*window, ctl::kServer, "127.0.0.1");
        SetFieldText(*window, ctl::kPort, port);
        SetFieldText(*window, ctl::kBaseDn, "dc=corvane,dc=test");
        SetFieldText(*window, ctl::kSearchAttribute, own ? FromArg(4) : "uid");
        SetFieldText(*window, ctl::kResultAttribute, own ? FromArg(5) : "cn");
        SetFieldText(*window, ctl::kSearchString, own ? FromArg(6) : "p0");
        if (own) {
            ConnectionOptions options;
            options.entryCap = static_cast<uint32_t>(entries);
            window->Commands().SetConnectionOptions(options);
        }
        auto* list = static_cast<CResultList*>(window->FindWindow(ctl::kResultList));
        Yield();
        const long baselineKib = PeakKib();

        std::vector<long long> times;
        for (int i = 0; i < runs && m_status == 0; ++i) {
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
            if (list->ItemCount() != entries) {
                std::fprintf(stderr, "bench_search_window: expected %zu items, got %zu\n", entries, list->ItemCount());
                m_status = 1;
                break;
            }
            times.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count());
            Yield();  // let the list paint between runs, as it would between user commands
        }

        // A click on the first column's heading, alternately descending and ascending (the list
        // arrives ascending by DN, not by the shown text).
        std::vector<long long> sorts;
        for (int i = 0; i < 3 && m_status == 0; ++i) {
            const auto start = std::chrono::steady_clock::now();
            window->Commands().SortByColumn(0, i % 2 == 1);
            const auto end = std::chrono::steady_clock::now();
            sorts.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count());
            Yield();
        }
        if (m_status == 0) {
            std::printf("%lld %lld %ld %ld\n", Median(times), Median(sorts), baselineKib, PeakKib());
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
