// ldif_text.h - entries written as LDIF (version 1): safe text as it is, anything else in base64,
// long lines folded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/** One entry to write: its distinguished name and its attributes, each with its values. */
struct LdifEntry {
    struct Attribute {
        std::string name;
        std::vector<std::string> values;
    };
    std::string dn;
    std::vector<Attribute> attributes;
};

/// True when value may follow "name: " as it is: ASCII without NUL, CR or LF, not beginning
/// with a blank, ":" or "<", and not ending with a blank.
bool IsSafeLdifValue(std::string_view value);

/// True when name may stand before a value's ":" as LDIF's attribute descriptions are written: a
/// type (a letter, then letters, digits, "-" or "_"; or a numeric OID) and options after ";"
/// (each of letters, digits, "-" or "_").
bool IsLdifAttributeName(std::string_view name);

/// "version: 1", then each entry as a record: "dn:", then one line per value, a blank line after
/// each record. Every value is written whole from its bytes: one that is not safe text, and every
/// value of a binary attribute (IsBinaryAttribute), follows "name:: " in base64, as does a DN that
/// is not safe text. An attribute whose name is no LDIF attribute name (IsLdifAttributeName), as a
/// server may send one, cannot be written: a comment line in its place says so, naming it with
/// every byte outside printable ASCII as "\XX". Lines are folded at 76 bytes, a continued line
/// beginning with one blank. Lines end with LF; the text is ASCII.
std::string LdifText(const std::vector<LdifEntry>& entries);
