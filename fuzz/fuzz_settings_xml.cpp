// fuzz_settings_xml.cpp - fuzzes loading a settings file in the XML form, the lookups with keys
// taken from the input, and the save/load round trip of what was loaded.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    return FuzzSettingsFile(data, size, /*xmlForm=*/true);
}
