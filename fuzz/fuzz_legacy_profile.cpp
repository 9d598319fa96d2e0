// fuzz_legacy_profile.cpp - fuzzes the reader of the line-based profile form and the profile reader
// that chooses between the two forms.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "storage/connection_profile.h"

namespace {

/// Every value stays within a field's bound whatever the file holds.
void CheckBounds(const ConnectionProfile& profile)
{
    for (const std::string& slot : profile.detailAttributes) {
        if (slot.size() > kFieldLimit) {
            std::abort();
        }
    }
    for (const std::string* value : {&profile.server, &profile.port, &profile.baseDn, &profile.preselection,
                                     &profile.searchAttribute, &profile.resultAttribute}) {
        if (value->size() > kFieldLimit) {
            std::abort();
        }
    }
}

bool SameProfile(const ConnectionProfile& a, const ConnectionProfile& b)
{
    return a.server == b.server && a.port == b.port && a.baseDn == b.baseDn && a.preselection == b.preselection &&
           a.searchAttribute == b.searchAttribute && a.resultAttribute == b.resultAttribute &&
           a.detailAttributes == b.detailAttributes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ConnectionProfile parsed;
    parsed.detailAttributes = DefaultDetailSlots();
    ProfileFields parsedFields;
    const bool complete = ParseLegacyProfile(bytes, parsed, parsedFields);
    CheckBounds(parsed);

    ConnectionProfile read;
    read.detailAttributes = DefaultDetailSlots();
    ProfileFields readFields;
    switch (ReadProfile(WriteInput(data, size), read, readFields)) {
        case ProfileReadResult::Unreadable:
            if (complete) {
                std::abort();  // the file was just written: only a non-profile is refused
            }
            break;
        case ProfileReadResult::Legacy:
            if (!complete || !SameProfile(read, parsed)) {
                std::abort();
            }
            break;
        case ProfileReadResult::Xml:
            break;
    }
    CheckBounds(read);
    return 0;
}
