// fuzz_language_catalog.cpp - fuzzes reading a language catalogue (pairs, the default, the locale
// of each entry) and the choices made from it: the start-up language and the dialog's list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_input.h"
#include "localisation/language_catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string& path = WriteInput(data, size);
    const LanguageCatalog catalog = ReadLanguageCatalog(path);
    for (const LanguageEntry& entry : catalog.entries) {
        if (entry.name.empty() || entry.file.empty()) {
            std::abort();  // the list ends before the first incomplete pair
        }
        StartupLanguage(catalog, entry.name, entry.locale);
        StartupLanguage(catalog, "", entry.locale + "_XX.UTF-8");
    }
    const std::string current = catalog.entries.empty() ? "" : "/p/" + catalog.entries.back().file;
    const LanguageChoices choices = LanguageDialogChoices(catalog, "/p/", current);
    if (choices.names.size() != choices.entryFiles.size() || choices.names.empty() ||
        choices.selection >= choices.names.size()) {
        std::abort();
    }
    return 0;
}
