// fuzz_settings_xml.cpp - fuzzes loading a settings file in the XML form, the lookups with keys
// taken from the input, and the save/load round trip of what was loaded.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "storage/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    constexpr bool kXmlForm = true;
    const std::string& path = WriteInput(data, size);
    SettingsFile file(kXmlForm);
    const bool loaded = file.Load(path);
    RunLookups(file, KeysIn(std::string(reinterpret_cast<const char*>(data), size), kXmlForm));

    // What was loaded is saved and loaded again unchanged (an empty plain file cannot load).
    if (loaded && (kXmlForm || !file.Content().empty())) {
        if (!file.Save(path)) std::abort();
        SettingsFile again(kXmlForm);
        if (!again.Load(path) || again.Content() != file.Content() || again.RootName() != file.RootName()) {
            std::abort();
        }
    }
    return 0;
}
