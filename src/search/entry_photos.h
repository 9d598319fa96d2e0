// entry_photos.h - the pictures of a details answer's entries: which attributes hold them, each
// entry's picture in its original bytes, and the picture's file format.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class ResultTable;

/// The attributes a picture of an entry is read from, in the order they are preferred.
inline constexpr std::string_view kPhotoAttributes[] = {"jpegPhoto", "thumbnailPhoto"};

/** One entry's picture: the entry's distinguished name and the value's original bytes. */
struct EntryPhoto {
    std::string dn;
    std::string bytes;
};

/// names with each picture attribute appended that they do not name yet (in any letter case or
/// with options), so a details query reads the pictures as well as the details. No names stay no
/// names: they ask for every attribute already.
std::vector<std::string> WithPhotoAttributes(std::vector<std::string> names);

/// The picture of every entry of table that has one, in the table's row order: the first value of
/// the first picture attribute the entry holds (kPhotoAttributes' order, names compared as
/// attribute keys). With shownDns, only the entries named there.
std::vector<EntryPhoto> EntryPhotos(const ResultTable& table, const std::optional<std::set<std::string>>& shownDns);

/// The file extension a picture's bytes are written under: "jpg" for JPEG, "png" for PNG, "gif"
/// for GIF, "bin" for anything else.
std::string PhotoExtension(std::string_view bytes);

/// The name shown under an entry's picture: the value of the DN's first RDN ("cn=Anna Berg,ou=..."
/// gives "Anna Berg"), control characters replaced by "_"; the whole DN when it has no "=". In its
/// readable form (ReadableText).
std::string PhotoCaption(std::string_view dn);
