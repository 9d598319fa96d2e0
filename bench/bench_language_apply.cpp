// bench_language_apply.cpp - times applying a language to the shown main window: reading the
// language file, looking up every main-window key and relabelling controls, menus and messages.
// Alternates two languages so that every apply really changes the texts; prints the median, the
// 95th percentile and the slowest run against the goal of 2 ms. Run by bench_language_apply.sh
// under Xvfb.
//
//   bench_language_apply LANGUAGE-FILE OTHER-LANGUAGE-FILE [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/app.h>

#include "app/sessions/language_session.h"
#include "app/frame/main_window.h"
#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"

namespace {

/** Opens the main window, applies the two languages in turn RUNS times and prints the figures. */
class BenchApp : public wxApp {
public:
    bool OnInit() override
    {
        if (argc < 3) {
            std::fprintf(stderr, "usage: bench_language_apply LANGUAGE-FILE OTHER-LANGUAGE-FILE [RUNS]\n");
            return false;
        }
        const std::string files[2] = {FromArg(1), FromArg(2)};
        const int runs = argc > 3 ? std::max(1, std::atoi(FromArg(3).c_str())) : 200;

        auto* window = new CLDAPDlg({});
        window->Show();
        Yield();
        std::vector<double> times;
        std::vector<double> lookups;  // the file read and the lookups alone, without the window
        for (int i = 0; i < runs; ++i) {
            const auto lookupStart = std::chrono::steady_clock::now();
            TextCatalog catalog(files[i % 2]);
            std::size_t bytes = 0;
            for (const TextKey& row : MainWindowKeys()) {
                bytes += catalog.Text(row).size();
            }
            lookups.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - lookupStart).count());
            if (bytes == 0) {
                m_status = 1;
            }

            const auto start = std::chrono::steady_clock::now();
            window->Language().Apply(files[i % 2]);
            const auto end = std::chrono::steady_clock::now();
            times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            Yield();  // let the window repaint between applies, as between two language choices
        }
        const std::size_t n = times.size();
        const auto median = [n](std::vector<double>& values) {
            std::sort(values.begin(), values.end());
            return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
        };
        const double lookupMedian = median(lookups);
        const double applyMedian = median(times);
        std::printf("applies:   %d (two languages in turn)\n", runs);
        std::printf("median:    %.3f ms (file read and lookups alone: %.3f ms)\n", applyMedian, lookupMedian);
        std::printf("95th pct:  %.3f ms\n", times[n * 95 / 100]);
        std::printf("slowest:   %.3f ms\n", times.back());
        std::printf("ratio median/goal: %.3f (goal: under 2 ms)\n", applyMedian / 2.0);
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
