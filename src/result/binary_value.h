// binary_value.h - whether a value of an answer is binary, and the readable form the list, the
// details, the exports and the copy show of it. The result keeps every value's bytes as the server
// sent them; only what is shown is made readable.
#pragma once

#include <string>
#include <string_view>

/// True when an attribute of this name holds binary values: a well-known binary attribute (a
/// directory's GUIDs and security identifiers, photos, sounds, certificates and revocation lists,
/// security descriptors, password hashes and replication data), matched without regard to case or
/// options, or any name with a ";binary" option.
bool IsBinaryAttribute(std::string_view name);

/// True when bytes are text: well-formed UTF-8 (no overlong forms, surrogates or code points past
/// U+10FFFF) without a NUL byte.
bool IsTextValue(std::string_view bytes);

/// True when a value of attribute is binary: by its attribute's name, or because it is no text.
bool IsBinaryValue(std::string_view attribute, std::string_view value);

/// The readable form of a binary value of attribute: a GUID attribute's 16 bytes as the GUID's text
/// ("xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", lower case, the first three groups read little-endian),
/// a security identifier as "S-1-5-21-...", anything else, or a GUID or SID of the wrong length,
/// as "<binary, N bytes>".
std::string ReadableBinary(std::string_view attribute, std::string_view value);

/// The value as shown: ReadableBinary when it is binary (IsBinaryValue), else its own bytes.
std::string ReadableValue(std::string_view attribute, std::string_view value);
