// ldif_reader.h - a small LDIF (version 1) reader for the answer fuzzer: reads back what the LDIF
// export wrote, so the fuzzer can compare it with the values of the result.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/** One record read back: its distinguished name and its lines as (name, value) in their order. */
struct LdifRecord {
    std::string dn;
    std::vector<std::pair<std::string, std::string>> values;
};

/// Reads text as LDIF: "version: 1", then records apart by blank lines, each "dn:" first; folded
/// lines joined, comment lines left out, "name:: " values decoded from base64. nullopt when text
/// is no such LDIF (a line without ":", bad base64, a record that does not start with its dn).
std::optional<std::vector<LdifRecord>> ReadLdif(std::string_view text);
