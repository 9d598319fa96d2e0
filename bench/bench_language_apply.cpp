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

#include "app/main_window.h"

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
        for (int i = 0; i < runs; ++i) {
            const auto start = std::chrono::steady_clock::now();
            window->ApplyMainWindowTexts(files[i % 2]);
            const auto end = std::chrono::steady_clock::now();
            times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            Yield();  // let the window repaint between applies, as between two language choices
        }
        std::sort(times.begin(), times.end());
        const std::size_t n = times.size();
        const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
        std::printf("applies:   %d (two languages in turn)\n", runs);
        std::printf("median:    %.3f ms\n", median);
        std::printf("95th pct:  %.3f ms\n", times[n * 95 / 100]);
        std::printf("slowest:   %.3f ms\n", times.back());
        std::printf("ratio median/goal: %.3f (goal: under 2 ms)\n", median / 2.0);
        window->Destroy();
        return true;
    }

    int OnRun() override { return 0; }

private:
    std::string FromArg(int i) const { return std::string(argv[i].utf8_str()); }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    return wxEntry(argc, argv);
}
