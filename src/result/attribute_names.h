// attribute_names.h - when two attribute names name the same attribute: case, options and the
// standard short and long names.
#pragma once

#include <string>
#include <string_view>

/// The key two names of one attribute share: the name without its options (the text from the
/// first ";" on), ASCII letters lowered, and a standard alias replaced by the attribute's short
/// name ("commonName;lang-de" and "CN" both give "cn").
std::string AttributeKey(std::string_view name);

/// True when key (as AttributeKey gives it) names an operational attribute of the usual directory
/// servers, one an entry holds for the server's own use rather than its user's.
bool IsOperationalAttribute(std::string_view key);
