// language_catalog.h - the language catalogue LDAP_Languages.ini: its entries, the start-up choice
// and the language dialog's list, without any window.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

/// The catalogue's name in the program folder.
inline constexpr const char* kLanguageCatalogName = "LDAP_Languages.ini";
/// The language the program has built in; it needs no file.
inline constexpr const char* kBuiltInLanguageName = "English";

/** One language the user can choose. */
struct LanguageEntry {
    std::string name;    ///< LanguageName: shown in the language dialog, stored in LDAP.ini
    std::string file;    ///< LanguageFile: the language file, relative to the program folder
    std::string locale;  ///< LanguageLocale (optional, after LanguageFile): the desktop language it is for
};

/** The catalogue as read. */
struct LanguageCatalog {
    bool loaded = false;      ///< false when the file is missing, empty or unreadable
    std::string defaultName;  ///< LanguageDefault: the language of a start without a saved one
    std::vector<LanguageEntry> entries;
};

/// Reads the catalogue (plain form): the first LanguageName with the first LanguageFile, then in
/// turn the next LanguageName and the next LanguageFile after the previous hit, up to the first
/// pair whose name or file is empty or missing. An entry's LanguageLocale is the first one after
/// its LanguageFile line and before the next LanguageName line.
LanguageCatalog ReadLanguageCatalog(const std::string& path);

/// The first entry named exactly name (byte for byte); nullptr when none is, or for name "".
const LanguageEntry* FindLanguage(const LanguageCatalog& catalog, const std::string& name);

/// True when an entry's locale ("de", "pt_BR", any letter case) stands for the desktop's locale
/// setting (e.g. "de_DE.UTF-8" or "pt_BR@euro"); "", "C" and "POSIX" stand for no language.
bool LocaleMatches(const std::string& entryLocale, const std::string& desktopLocale);

/// The entry a start-up selection applies. With a requested name (the one saved in LDAP.ini):
/// the entry of that name. Without: the entry named by LanguageDefault, else the first entry whose
/// locale matches desktopLocale. nullptr when none.
const LanguageEntry* StartupLanguage(const LanguageCatalog& catalog, const std::string& requested,
                                     const std::string& desktopLocale);

/** What the language dialog offers. */
struct LanguageChoices {
    std::vector<std::string> names;       ///< the list's entries in order
    std::vector<std::string> entryFiles;  ///< the full path of each entry's file ("" for built-in English)
    std::size_t selection = 0;            ///< the entry preselected
};

/// The built-in "English" first (left out when the catalogue lists a language named exactly
/// "English"), then the catalogue's entries with their files' full paths (programFolder + file).
/// The preselection is the last entry whose full path equals currentLanguageFile, else the first.
LanguageChoices LanguageDialogChoices(const LanguageCatalog& catalog, const std::string& programFolder,
                                      const std::string& currentLanguageFile);
