// labelled_details.h - the details text: each entry's name, then one labelled line per value.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

class ResultTable;
class WorkLimit;

/// The separator written after each shown entry: blank, CR LF, blank, 56 hyphens, CR LF.
extern const char* const kDetailsSeparator;

/// The details text of a sorted details table. detailNames: the detail list as configured, in
/// its order. shownDns: the distinguished names of the chosen entries, or nullopt for all.
/// For each shown row: "dn: " + its distinguished name, then for each detail name the values of
/// the entry's attributes of that name (matched as AttributeKey does) as "name: value", the name
/// as configured, values in the server's order, binary ones in their readable form (ReadableBinary);
/// each line ended by CR LF; then kDetailsSeparator. Names and DNs are written in their readable
/// form (ReadableText), so the text is UTF-8 whatever the server sent.
/// A detail name "*" stands for the entry's user attributes and "+" for its operational ones,
/// each line labelled with the name the server gave, leaving out attributes named in the list.
std::string DetailsText(const ResultTable& table, const std::vector<std::string>& detailNames,
                        const std::optional<std::set<std::string>>& shownDns);

/// How the details text writes the names, values and distinguished names of an answer.
enum class DetailsForm {
    AsIs,             ///< byte for byte (the details window)
    ControlsEscaped,  ///< control characters as "\xNN" (EscapeControlCharacters): on a terminal a
                      ///< server's text can neither move the cursor nor pass for lines of its own
};

/// As above in the given form, each cell read and each line written a step of limit; nullopt when
/// the limit ended it.
std::optional<std::string> DetailsText(const ResultTable& table, const std::vector<std::string>& detailNames,
                                       const std::optional<std::set<std::string>>& shownDns, DetailsForm form,
                                       WorkLimit& limit);
