// connection_profile.cpp - profile files without a window: the detail slots, the XML-form writer and
// reader, and the reader of the older line-based form.
#include "storage/connection_profile.h"

#include "storage/file_utils.h"
#include "storage/settings_file.h"

namespace {

const char* const kServerKey = "LDAPServer";
const char* const kPortKey = "LDAPServerPort";
const char* const kBaseDnKey = "DN";
const char* const kPreselectKey = "Preselect";
const char* const kSearchAttributeKey = "SearchAttributes";
const char* const kResultAttributeKey = "ResultAttributes";
const char* const kBindUserKey = "BindUser";
const char* const kStartTlsKey = "StartTLS";
const char* const kEntryCapKey = "EntryCap";
const char* const kSignInKey = "SignIn";

std::string DetailKey(int slot)
{
    return "DetailAttribute" + std::to_string(slot);
}

std::string CutToFieldLimit(std::string text)
{
    if (text.size() > kFieldLimit) {
        text.resize(kFieldLimit);
    }
    return text;
}

/// The text as a reader in Windows text mode sees it: every CR LF pair becomes LF and a byte 26
/// ends the text. A lone CR stays.
std::string AsTextMode(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\x1a') {
            break;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            text += '\n';
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

std::vector<std::string> DetailList(const DetailSlots& slots)
{
    std::vector<std::string> names;
    for (const std::string& slot : slots) {
        if (slot.empty()) {
            break;
        }
        names.push_back(slot);
    }
    return names;
}

DetailSlots SlotsFromList(const std::vector<std::string>& names)
{
    DetailSlots slots{};
    for (std::size_t i = 0; i < names.size() && i < slots.size(); ++i) {
        slots[i] = CutToFieldLimit(names[i]);
    }
    return slots;
}

DetailSlots DefaultDetailSlots()
{
    return SlotsFromList(
        {"cn", "Company", "postalAddress", "postalCode", "l", "st", "physicalDeliveryOfficeName", "telephoneNumber"});
}

bool WriteProfile(const std::string& path, const ConnectionProfile& profile)
{
    SettingsFile file(true);
    file.Set(kServerKey, profile.server);
    file.Set(kPortKey, profile.port);
    file.Set(kBaseDnKey, profile.baseDn);
    file.Set(kPreselectKey, profile.preselection);
    file.Set(kSearchAttributeKey, profile.searchAttribute);
    file.Set(kResultAttributeKey, profile.resultAttribute);
    for (int i = 0; i < kDetailSlotCount; ++i) {
        const std::string& name = profile.detailAttributes[static_cast<std::size_t>(i)];
        if (name.empty()) {
            break;
        }
        file.Set(DetailKey(i), name);
    }
    if (!profile.bindUser.empty()) {
        file.Set(kBindUserKey, profile.bindUser);
    }
    if (profile.startTls) {
        file.SetInt(kStartTlsKey, 1);
    }
    if (profile.entryCap != 0) {
        file.SetInt(kEntryCapKey, static_cast<int32_t>(profile.entryCap));
    }
    const SignIn signIn = EffectiveSignIn(profile.signIn, profile.bindUser);
    if (signIn != ImpliedSignIn(profile.bindUser)) {
        file.Set(kSignInKey, SignInName(signIn));
    }
    return file.Save(path);
}

bool ReadXmlProfile(const std::string& path, ConnectionProfile& profile, ProfileFields& found)
{
    SettingsFile file(true);
    if (!file.Load(path)) {
        return false;
    }
    // Every value is cut to what a field holds.
    profile.server = CutToFieldLimit(file.GetString(kServerKey, ""));
    profile.port = CutToFieldLimit(file.GetString(kPortKey, ""));
    profile.baseDn = CutToFieldLimit(file.GetString(kBaseDnKey, ""));
    profile.preselection = CutToFieldLimit(file.GetString(kPreselectKey, ""));
    profile.searchAttribute = CutToFieldLimit(file.GetString(kSearchAttributeKey, ""));
    profile.resultAttribute = CutToFieldLimit(file.GetString(kResultAttributeKey, ""));
    for (int i = 0; i < kDetailSlotCount; ++i) {
        profile.detailAttributes[static_cast<std::size_t>(i)] = CutToFieldLimit(file.GetString(DetailKey(i), ""));
    }
    profile.bindUser = CutToFieldLimit(file.GetString(kBindUserKey, ""));
    profile.startTls = file.GetInt(kStartTlsKey, 0) != 0;
    // A cap outside 1 to the largest one is no cap a user set: the default holds.
    const int32_t cap = file.GetInt(kEntryCapKey, 0);
    profile.entryCap = cap > 0 && cap <= kLargestEntryCap ? static_cast<uint32_t>(cap) : 0;
    // Without the key, or with one this program does not know, the bind name decides.
    profile.signIn = SignInNamed(file.GetString(kSignInKey, "")).value_or(SignIn::Password);
    found = ProfileFields{true, true, true, true, true, true, true, true, true};
    return true;
}

bool ParseLegacyProfile(const std::string& fileBytes, ConnectionProfile& profile, ProfileFields& found)
{
    const std::string text = AsTextMode(fileBytes);
    const std::string separator = "\r\n";

    // Field lines in the order the format stores them.
    struct Field {
        std::string ConnectionProfile::*value;
        bool ProfileFields::*flag;
    };
    const Field fields[] = {
        {&ConnectionProfile::baseDn, &ProfileFields::baseDn},
        {&ConnectionProfile::preselection, &ProfileFields::preselection},
        {&ConnectionProfile::server, &ProfileFields::server},
        {&ConnectionProfile::port, &ProfileFields::port},
        {&ConnectionProfile::searchAttribute, &ProfileFields::searchAttribute},
        {&ConnectionProfile::resultAttribute, &ProfileFields::resultAttribute},
    };

    // Only a complete profile is taken: a file without all six field lines is no profile.
    ConnectionProfile read = profile;
    std::size_t pos = 0;
    for (const Field& field : fields) {
        const std::size_t end = text.find(separator, pos);
        if (end == std::string::npos) {
            return false;
        }
        read.*field.value = CutToFieldLimit(text.substr(pos, end - pos));
        pos = end + separator.size();
    }

    std::vector<std::string> details;
    while (details.size() < static_cast<std::size_t>(kDetailSlotCount)) {
        const std::size_t end = text.find(separator, pos);
        if (end == std::string::npos) {
            break;  // text after the last separator is not a line
        }
        details.push_back(text.substr(pos, end - pos));
        pos = end + separator.size();
    }
    read.detailAttributes = SlotsFromList(details);
    read.bindUser.clear();
    read.startTls = false;
    read.entryCap = 0;
    read.signIn = SignIn::Password;
    profile = std::move(read);
    found = ProfileFields{true, true, true, true, true, true, true, true, true};
    return true;
}

ProfileReadResult ReadProfile(const std::string& path, ConnectionProfile& profile, ProfileFields& found)
{
    if (ReadXmlProfile(path, profile, found)) {
        return ProfileReadResult::Xml;
    }
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        return ProfileReadResult::Unreadable;
    }
    return ParseLegacyProfile(bytes, profile, found) ? ProfileReadResult::Legacy : ProfileReadResult::Unreadable;
}
