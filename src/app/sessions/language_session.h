// language_session.h - the main window's language: which one is current, its texts, the
// start-up choice, Options > Language and the English language file.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/program_folders.h"

class FontSettings;
class TextCatalog;
class wxFrame;

/**
 * The current language of the main window and every window opened from it: its name, its file
 * ("" for the built-in English) and whether the user chose it, with that file's texts read once
 * per change and handed to every window that opens. A saved name the catalogue lacks is written
 * back as it was.
 */
class LanguageSession {
public:
    /// Called after every change of language, once its texts are in their places.
    using ChangedFunction = std::function<void(const LanguageSession&)>;

    /// frame shows the texts; the program folder holds the catalogue and the language files; fonts
    /// apply to the language dialog.
    LanguageSession(wxFrame& frame, ProgramFolders folders, FontSettings& fonts, ChangedFunction changed);

    /// Makes path the current language file ("" for the built-in English), reads its texts and
    /// puts every main-window text in its place (English defaults for what it lacks, all of them
    /// when it does not exist): controls, menu items and the stored messages.
    void Apply(const std::string& path);
    /// Selects a language of the catalogue at start-up: with requested "" the catalogue's
    /// LanguageDefault, else the catalogue entry for the desktop's language; with a name (the one
    /// saved in LDAP.ini) that entry. The English defaults when no language has been selected.
    void SelectStartup(const std::string& requested);
    /// LDAP.ini's LanguageName: a saved name is selected and counts as chosen.
    void Restore(const std::string& savedName);
    /// The LanguageName LDAP.ini keeps: the unlisted name read, else the chosen one, else "".
    std::string Saved() const;
    /// Options > Language: the language dialog; on OK its language is applied at once and chosen.
    void Choose();
    /// "--ENGLISH": writes LangLDAP_English.ini into the program folder, or into the storage
    /// folder when the program folder refuses it; a line on standard output names the file
    /// written, one on standard error says when neither could be written.
    void WriteEnglishFile();

    /// The stored text of a key, its English default before any apply.
    std::string Text(const char* key) const;
    /// The current language file's texts, for the windows opened from the main window.
    const std::shared_ptr<const TextCatalog>& Catalog() const { return m_catalog; }
    /// The current language file (the help document's name follows it).
    const std::string& File() const { return m_file; }
    const std::string& Name() const { return m_name; }
    /// True once LDAP.ini named a language or the user confirmed the language dialog.
    bool Chosen() const { return m_chosen; }

private:
    /// Makes path, whose texts catalog holds, the current language and puts its texts in place.
    void Use(const std::string& path, std::shared_ptr<const TextCatalog> catalog);

    wxFrame& m_frame;
    ProgramFolders m_folders;
    FontSettings& m_fonts;
    ChangedFunction m_changed;
    std::string m_file;
    std::shared_ptr<const TextCatalog> m_catalog;
    std::string m_name;
    bool m_chosen = false;
    std::string m_unlistedName;  ///< a saved LanguageName the catalogue lacks, written back as it was
    std::map<std::string, std::string> m_texts;
};
