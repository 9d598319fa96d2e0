// language_catalog.cpp - reading LDAP_Languages.ini and choosing from it.
#include "localisation/language_catalog.h"

#include <algorithm>
#include <cctype>

#include "storage/settings_file.h"

namespace {

/// The value of the first key="..." entry in content within [from, to), or "".
std::string ValueBetween(const std::string& content, const std::string& key, std::size_t from, std::size_t to)
{
    const std::string marker = key + "=\"";
    const std::size_t at = content.find(marker, from);
    if (at == std::string::npos || at >= to) {
        return std::string();
    }
    const std::size_t start = at + marker.size();
    const std::size_t end = content.find('"', start);
    return end == std::string::npos ? std::string() : content.substr(start, end - start);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return text;
}

}  // namespace

LanguageCatalog ReadLanguageCatalog(const std::string& path)
{
    LanguageCatalog catalog;
    SettingsFile file(false);
    if (!file.Load(path)) {
        return catalog;
    }
    catalog.loaded = true;
    catalog.defaultName = file.GetString("LanguageDefault", "");

    std::string name = file.GetString("LanguageName", "");
    std::string language = file.GetString("LanguageFile", "");
    while (!name.empty() && !language.empty()) {
        const std::size_t afterFile = file.Cursor();
        LanguageEntry entry{std::move(name), std::move(language), std::string()};
        name = file.GetNext("LanguageName");
        language = file.GetNext("LanguageFile");
        const std::size_t nextName = file.Content().find("LanguageName=\"", afterFile);
        entry.locale = ValueBetween(file.Content(), "LanguageLocale", afterFile, nextName);
        catalog.entries.push_back(std::move(entry));
    }
    return catalog;
}

const LanguageEntry* FindLanguage(const LanguageCatalog& catalog, const std::string& name)
{
    if (name.empty()) {
        return nullptr;
    }
    const auto found = std::find_if(catalog.entries.begin(), catalog.entries.end(),
                                    [&name](const LanguageEntry& entry) { return entry.name == name; });
    return found == catalog.entries.end() ? nullptr : &*found;
}

bool LocaleMatches(const std::string& entryLocale, const std::string& desktopLocale)
{
    // "de_DE.UTF-8@euro": the language and territory before the encoding and the modifier
    const std::string desktop = Lower(desktopLocale.substr(0, desktopLocale.find_first_of(".@")));
    if (entryLocale.empty() || desktop.empty() || desktop == "c" || desktop == "posix") {
        return false;
    }
    const std::string entry = Lower(entryLocale);
    return entry == desktop || entry == desktop.substr(0, desktop.find('_'));
}

const LanguageEntry* StartupLanguage(const LanguageCatalog& catalog, const std::string& requested,
                                     const std::string& desktopLocale)
{
    if (!requested.empty()) {
        return FindLanguage(catalog, requested);
    }
    if (const LanguageEntry* byDefault = FindLanguage(catalog, catalog.defaultName)) {
        return byDefault;
    }
    const auto found = std::find_if(catalog.entries.begin(), catalog.entries.end(), [&](const LanguageEntry& entry) {
        return LocaleMatches(entry.locale, desktopLocale);
    });
    return found == catalog.entries.end() ? nullptr : &*found;
}

LanguageChoices LanguageDialogChoices(const LanguageCatalog& catalog, const std::string& programFolder,
                                      const std::string& currentLanguageFile)
{
    LanguageChoices choices;
    const bool englishListed = FindLanguage(catalog, kBuiltInLanguageName) != nullptr;
    if (!englishListed) {
        choices.names.emplace_back(kBuiltInLanguageName);
        choices.entryFiles.emplace_back();
    }
    for (const LanguageEntry& entry : catalog.entries) {
        const std::string path = programFolder + entry.file;
        if (path == currentLanguageFile) {
            choices.selection = choices.names.size();
        }
        choices.names.push_back(entry.name);
        choices.entryFiles.push_back(path);
    }
    return choices;
}
