// bench_settings_file.cpp - the settings file engine under its real loads: one main-window apply
// (load a language file, 45 lookups) and a GetNext walk over long lists, which must grow linearly.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "localisation/text_keys.h"
#include "storage/settings_file.h"

namespace {

/// A file in the temporary folder, removed when the benchmark is done with it.
class BenchFile {
public:
    explicit BenchFile(const std::string& name)
        : m_path((std::filesystem::temp_directory_path() /
                  ("corvane-bench-" + std::to_string(static_cast<long>(getpid())) + "-" + name))
                     .string())
    {}
    ~BenchFile() { std::remove(m_path.c_str()); }
    BenchFile(const BenchFile&) = delete;
    BenchFile& operator=(const BenchFile&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

/// A translated-looking text of realistic length for a key's English default.
std::string TranslatedText(const char* englishDefault)
{
    std::string text = "\xdc";  // a non-ASCII byte, as a translated file has them
    text += englishDefault;
    text += " (\xfc";
    text += "bersetzt)";
    return text;
}

/// A plain-form language file of about sixty keys laid out as a real one: section headers, the
/// main window's keys, then the other windows' keys.
void WriteLanguageFile(const std::string& path)
{
    std::string text = "[LDAP_CLDAPDlg - Version 1.640 (30.04.2018)]\r\n";
    auto addTable = [&](std::span<const TextKey> table) {
        for (const TextKey& row : table) {
            text += std::string(row.key) + "=\"" + TranslatedText(row.englishDefault) + "\"\r\n";
        }
    };
    addTable(MainWindowKeys());
    text += "\r\n[LDAP_COptionDetailsDlg]\r\n";
    addTable(DetailFieldsKeys());
    text += "\r\n[FLDAP_CDetailsDialog]\r\n";
    addTable(DetailsWindowKeys());
    addTable(LanguageDialogKeys());
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fclose(out) != 0) {
        std::abort();
    }
}

void BM_MainWindowApply(benchmark::State& state)
{
    BenchFile languageFile("lang.ini");
    WriteLanguageFile(languageFile.Path());
    const std::span<const TextKey> keys = MainWindowKeys();
    for (auto _ : state) {
        SettingsFile file(false);
        file.Load(languageFile.Path());
        for (const TextKey& row : keys) {
            std::string text = file.GetString(row.key, row.englishDefault);
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * keys.size()));
}
BENCHMARK(BM_MainWindowApply);

/// Walks a list of state.range(0) repeated entries with GetString then GetNext.
void BM_GetNextWalk(benchmark::State& state)
{
    const auto entries = static_cast<std::size_t>(state.range(0));
    SettingsFile file(true);
    for (std::size_t i = 0; i < entries; ++i) {
        file.Set("Recent", "C:\\Users\\anna\\Documents\\Profile\\Standort " + std::to_string(i) + ".cvl");
    }
    for (auto _ : state) {
        std::size_t walked = 0;
        for (std::string v = file.GetString("Recent", ""); !v.empty(); v = file.GetNext("Recent")) {
            ++walked;
        }
        if (walked != entries) {
            state.SkipWithError("walk ended early");
            break;
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GetNextWalk)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
