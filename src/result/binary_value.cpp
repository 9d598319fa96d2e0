// binary_value.cpp - binary attributes by name, UTF-8 text by its bytes, and readable forms of
// GUIDs, security identifiers and other binary values.
#include "result/binary_value.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "result/readable_text.h"

namespace {

/// How a binary attribute's values are shown.
enum class BinaryKind { Plain, Guid, Sid };

struct BinaryName {
    std::string_view key;  ///< the name in lower case
    BinaryKind kind;
};

/// The well-known binary attributes, sorted by key. GUIDs are named one by one: some attributes
/// whose names end in "guid" hold text.
constexpr std::array kBinaryNames{
    BinaryName{"attributecertificateattribute", BinaryKind::Plain},
    BinaryName{"attributesecurityguid", BinaryKind::Guid},
    BinaryName{"audio", BinaryKind::Plain},
    BinaryName{"authorityrevocationlist", BinaryKind::Plain},
    BinaryName{"cacertificate", BinaryKind::Plain},
    BinaryName{"certificaterevocationlist", BinaryKind::Plain},
    BinaryName{"crosscertificatepair", BinaryKind::Plain},
    BinaryName{"dbcspwd", BinaryKind::Plain},
    BinaryName{"deltarevocationlist", BinaryKind::Plain},
    BinaryName{"dnsrecord", BinaryKind::Plain},
    BinaryName{"invocationid", BinaryKind::Guid},
    BinaryName{"jpegphoto", BinaryKind::Plain},
    BinaryName{"lmpwdhistory", BinaryKind::Plain},
    BinaryName{"logonhours", BinaryKind::Plain},
    BinaryName{"ms-ds-consistencyguid", BinaryKind::Guid},
    BinaryName{"ms-ds-creatorsid", BinaryKind::Sid},
    BinaryName{"msds-allowedtoactonbehalfofotheridentity", BinaryKind::Plain},
    BinaryName{"msds-generationid", BinaryKind::Plain},
    BinaryName{"msds-optionalfeatureguid", BinaryKind::Guid},
    BinaryName{"msexcharchiveguid", BinaryKind::Guid},
    BinaryName{"msexchblockedsendershash", BinaryKind::Plain},
    BinaryName{"msexchmailboxguid", BinaryKind::Guid},
    BinaryName{"msexchmailboxsecuritydescriptor", BinaryKind::Plain},
    BinaryName{"msexchsaferecipientshash", BinaryKind::Plain},
    BinaryName{"msexchsafesendershash", BinaryKind::Plain},
    BinaryName{"netbootguid", BinaryKind::Guid},
    BinaryName{"ntpwdhistory", BinaryKind::Plain},
    BinaryName{"ntsecuritydescriptor", BinaryKind::Plain},
    BinaryName{"objectguid", BinaryKind::Guid},
    BinaryName{"objectsid", BinaryKind::Sid},
    BinaryName{"parentguid", BinaryKind::Guid},
    BinaryName{"photo", BinaryKind::Plain},
    BinaryName{"pkiexpirationperiod", BinaryKind::Plain},
    BinaryName{"pkikeyusage", BinaryKind::Plain},
    BinaryName{"pkioverlapperiod", BinaryKind::Plain},
    BinaryName{"replpropertymetadata", BinaryKind::Plain},
    BinaryName{"repluptodatevector", BinaryKind::Plain},
    BinaryName{"repsfrom", BinaryKind::Plain},
    BinaryName{"repsto", BinaryKind::Plain},
    BinaryName{"schemaidguid", BinaryKind::Guid},
    BinaryName{"securityidentifier", BinaryKind::Sid},
    BinaryName{"sidhistory", BinaryKind::Sid},
    BinaryName{"supplementalcredentials", BinaryKind::Plain},
    BinaryName{"terminalserver", BinaryKind::Plain},
    BinaryName{"thumbnailphoto", BinaryKind::Plain},
    BinaryName{"tokengroups", BinaryKind::Sid},
    BinaryName{"tokengroupsglobalanduniversal", BinaryKind::Sid},
    BinaryName{"tokengroupsnogcacceptable", BinaryKind::Sid},
    BinaryName{"unicodepwd", BinaryKind::Plain},
    BinaryName{"usercertificate", BinaryKind::Plain},
    BinaryName{"userpkcs12", BinaryKind::Plain},
    BinaryName{"usersmimecertificate", BinaryKind::Plain},
};

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualFolded(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

/// The kind of a well-known binary attribute, by its name without options; nullptr for others.
const BinaryName* KnownBinary(std::string_view name)
{
    name = name.substr(0, name.find(';'));
    const auto less = [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    };
    const auto found = std::lower_bound(
        kBinaryNames.begin(), kBinaryNames.end(), name, [&less](const BinaryName& known, std::string_view wanted) {
            return std::lexicographical_compare(known.key.begin(), known.key.end(), wanted.begin(), wanted.end(),
                                                [&less](char x, char y) { return less(x, Lower(y)); });
        });
    return found != kBinaryNames.end() && EqualFolded(found->key, name) ? &*found : nullptr;
}

bool HasBinaryOption(std::string_view name)
{
    for (std::size_t at = name.find(';'); at != std::string_view::npos;) {
        const std::size_t next = name.find(';', at + 1);
        if (EqualFolded(name.substr(at + 1, next == std::string_view::npos ? next : next - at - 1), "binary")) {
            return true;
        }
        at = next;
    }
    return false;
}

void AppendHex(std::string& text, unsigned char byte)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 15]);
}

/// A GUID's 16 bytes as text: the first three fields are stored little-endian, the rest in order.
std::string GuidText(std::string_view bytes)
{
    static constexpr std::array<int, 16> kOrder{3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    std::string text;
    text.reserve(36);
    for (std::size_t k = 0; k < kOrder.size(); ++k) {
        if (k == 4 || k == 6 || k == 8 || k == 10) {
            text.push_back('-');
        }
        AppendHex(text, static_cast<unsigned char>(bytes[static_cast<std::size_t>(kOrder[k])]));
    }
    return text;
}

/// A security identifier: revision, count of sub-authorities, a 48-bit big-endian authority,
/// then each sub-authority as 32 bits little-endian. Empty when the bytes are not one.
std::string SidText(std::string_view bytes)
{
    const auto byte = [&bytes](std::size_t at) {
        return static_cast<uint64_t>(static_cast<unsigned char>(bytes[at]));
    };
    if (bytes.size() < 8 || byte(1) > 15 || bytes.size() != 8 + 4 * byte(1)) {
        return {};
    }
    uint64_t authority = 0;
    for (std::size_t at = 2; at < 8; ++at) {
        authority = authority << 8 | byte(at);
    }
    std::string text = "S-" + std::to_string(byte(0)) + "-";
    if (authority >> 32 != 0) {
        // As the directory's own tools write an authority that does not fit 32 bits.
        text += "0x";
        for (std::size_t at = 2; at < 8; ++at) {
            AppendHex(text, static_cast<unsigned char>(bytes[at]));
        }
    } else {
        text += std::to_string(authority);
    }
    for (std::size_t at = 8; at < bytes.size(); at += 4) {
        text += "-" + std::to_string(byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24);
    }
    return text;
}

}  // namespace

bool IsBinaryAttribute(std::string_view name)
{
    return KnownBinary(name) != nullptr || HasBinaryOption(name);
}

bool IsTextValue(std::string_view bytes)
{
    return bytes.find('\0') == std::string_view::npos && IsUtf8(bytes);
}

bool IsBinaryValue(std::string_view attribute, std::string_view value)
{
    return IsBinaryAttribute(attribute) || !IsTextValue(value);
}

std::string ReadableBinary(std::string_view attribute, std::string_view value)
{
    if (const BinaryName* known = KnownBinary(attribute)) {
        if (known->kind == BinaryKind::Guid && value.size() == 16) {
            return GuidText(value);
        }
        if (known->kind == BinaryKind::Sid) {
            if (std::string sid = SidText(value); !sid.empty()) {
                return sid;
            }
        }
    }
    return "<binary, " + std::to_string(value.size()) + " bytes>";
}

std::string ReadableValue(std::string_view attribute, std::string_view value)
{
    return IsBinaryValue(attribute, value) ? ReadableBinary(attribute, value) : std::string(value);
}
