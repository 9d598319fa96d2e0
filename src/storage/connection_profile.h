// connection_profile.h - the main-window values stored in a profile file (*.cvl), its XML form
// and the older line-based form, without any window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/sign_in.h"

/// Number of detail attribute slots; the list ends at the first empty slot.
constexpr int kDetailSlotCount = 100;
/// Longest value a detail slot holds, in bytes (a window cuts its field texts to the same length).
constexpr std::size_t kFieldLimit = 1023;

/// The largest entry cap a profile holds.
constexpr int32_t kLargestEntryCap = 1000000;

/// 100 detail attribute names; the list is the slots up to the first empty one.
using DetailSlots = std::array<std::string, kDetailSlotCount>;

/// The detail names in list order: the slots before the first empty one.
std::vector<std::string> DetailList(const DetailSlots& slots);
/// Slots holding names (each cut to kFieldLimit bytes), at most kDetailSlotCount, the rest empty.
DetailSlots SlotsFromList(const std::vector<std::string>& names);
/// The start-up default: cn, Company, postalAddress, postalCode, l, st,
/// physicalDeliveryOfficeName, telephoneNumber.
DetailSlots DefaultDetailSlots();

/** The values of one profile. The port is kept as the text of its field. */
struct ConnectionProfile {
    std::string server;                               ///< key LDAPServer
    std::string port = "389";                         ///< key LDAPServerPort
    std::string baseDn;                               ///< key DN
    std::string preselection;                         ///< key Preselect
    std::string searchAttribute = "telephoneNumber";  ///< key SearchAttributes
    std::string resultAttribute = "cn";               ///< key ResultAttributes
    DetailSlots detailAttributes{};                   ///< keys DetailAttribute0 .. DetailAttribute99
    std::string bindUser;   ///< key BindUser: the name a search binds as ("" binds anonymously)
    bool startTls = false;  ///< key StartTLS: upgrade plain connections before the bind
    uint32_t entryCap = 0;  ///< key EntryCap: the entry cap of a search, 0 for the default
    /// key SignIn ("anonymous", "password", "kerberos"); Password: the bind name decides, as
    /// without the key (a name signs in with its password, none anonymously).
    SignIn signIn = SignIn::Password;
};

/** Which values a reader found, so a window sets exactly those. */
struct ProfileFields {
    bool server = false;
    bool port = false;
    bool baseDn = false;
    bool preselection = false;
    bool searchAttribute = false;
    bool resultAttribute = false;
    bool detailAttributes = false;
    bool bindUser = false;
    bool connection = false;  ///< StartTLS, the entry cap and the sign-in
};

enum class ProfileReadResult {
    Xml,        ///< read in the XML form
    Legacy,     ///< read in the line-based form
    Unreadable  ///< the file could not be read (see ReadWholeFile) or is no profile in either form
};

/// Writes the profile in the XML form: LDAPServer, LDAPServerPort, DN, Preselect,
/// SearchAttributes, ResultAttributes, then DetailAttribute%d up to the first empty slot, then
/// BindUser when one is set, then StartTLS when on, EntryCap when not the default, and SignIn when
/// the bind name alone would not say it (the Kerberos ticket, or anonymous despite a name). Written
/// last, they leave every other key where a reader of the older keys looks, and a profile without
/// them is written as before. No password is written.
/// False when the file could not be written; the previous file is then kept.
bool WriteProfile(const std::string& path, const ConnectionProfile& profile);

/// Reads an XML-form profile: six keys and BindUser ("" when missing) and all 100 slots (missing
/// ones empty), every value cut to kFieldLimit bytes; marks every group in found. False when the file is not in the
/// XML form (profile and found untouched).
bool ReadXmlProfile(const std::string& path, ConnectionProfile& profile, ProfileFields& found);

/// Reads the line-based form from its bytes as Windows text mode shows them (CR LF read as LF,
/// byte 26 ends the text), lines then separated by CR LF: base DN, preselection, server, port,
/// search attribute, result attribute, then one detail name per line; text after the last
/// separator is ignored. Every value is cut to kFieldLimit bytes. Only a complete profile (all six
/// field lines found) is taken: then the fields and the detail list (the detail lines read,
/// possibly none, at most 100) are set, the bind name emptied (the form has none), every group
/// marked in found, and the result is true;
/// otherwise nothing changes and the result is false.
bool ParseLegacyProfile(const std::string& fileBytes, ConnectionProfile& profile, ProfileFields& found);

/// Reads a profile file: the XML form, else the legacy form from the file's bytes. Unreadable when
/// the file cannot be read or is a profile in neither form (profile and found then untouched);
/// the file is only ever opened for reading.
ProfileReadResult ReadProfile(const std::string& path, ConnectionProfile& profile, ProfileFields& found);
