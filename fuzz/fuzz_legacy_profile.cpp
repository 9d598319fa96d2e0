// fuzz_legacy_profile.cpp - fuzzes the reader of the line-based profile form and the profile reader
// that chooses between the two forms.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "storage/connection_profile.h"

namespace {

/// The detail slots stay within their bounds whatever the file holds.
void CheckSlots(const ConnectionProfile& profile) {
    for (const std::string& slot : profile.detailAttributes) {
        if (slot.size() > kFieldLimit) std::abort();
    }
}

bool SameProfile(const ConnectionProfile& a, const ConnectionProfile& b) {
    return a.server == b.server && a.port == b.port && a.baseDn == b.baseDn && a.preselection == b.preselection &&
           a.searchAttribute == b.searchAttribute && a.resultAttribute == b.resultAttribute &&
           a.detailAttributes == b.detailAttributes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ConnectionProfile parsed;
    parsed.detailAttributes = DefaultDetailSlots();
    ProfileFields parsedFields;
    ParseLegacyProfile(bytes, parsed, parsedFields);
    CheckSlots(parsed);

    ConnectionProfile read;
    read.detailAttributes = DefaultDetailSlots();
    ProfileFields readFields;
    switch (ReadProfile(WriteInput(data, size), read, readFields)) {
    case ProfileReadResult::Unreadable:
        std::abort();  // the file was just written
    case ProfileReadResult::Legacy:
        if (!SameProfile(read, parsed)) std::abort();
        break;
    case ProfileReadResult::Xml:
        break;
    }
    CheckSlots(read);
    return 0;
}
