// naming_contexts.h - the base DNs a server names in its root entry.
#pragma once

#include <string>
#include <vector>

class ResultTable;

/// The attributes of the root entry that name the server's base DNs, and isGlobalCatalogReady.
std::vector<std::string> NamingContextAttributes();

/// True when a root entry read with NamingContextAttributes says its server is a global catalog
/// (isGlobalCatalogReady: TRUE, in any case), which searches a whole forest below the empty base.
bool NamesGlobalCatalog(const ResultTable& rootEntry);

/// The base DNs of a root entry read with NamingContextAttributes: its defaultNamingContext
/// first where it has one, then its namingContexts in the server's order; each once, empty ones
/// left out.
std::vector<std::string> NamingContexts(const ResultTable& rootEntry);
