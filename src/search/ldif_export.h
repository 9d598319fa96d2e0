// ldif_export.h - the LDIF export of a search's shown result.
#pragma once

#include <string>

class ShownResult;

/// The shown entries (with or without list item) in the shown order as LDIF (LdifText): each named
/// by its DN, with its values of each column under the column's attribute name, in the server's
/// order; names that are empty or blank and columns without values left out.
std::string LdifExport(const ShownResult& shown);
