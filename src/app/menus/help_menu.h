// help_menu.h - the commands of the main window's "?" menu.
#pragma once

#include <functional>
#include <string>

class FontSettings;
class wxWindow;

/// What the "?" menu's commands read when they run.
struct HelpMenuSources {
    std::string programFolder;                         ///< where the documents lie, fixed at start-up
    std::function<std::string()> languageFile;         ///< the current language's file ("" for English)
    std::function<std::string()> okText;               ///< the about box's OK text in the current language
    std::function<std::string(const char* key)> text;  ///< a message text in the current language
};

/// Binds Help (also F1), License, Changes, Check for update and Info on window: the first four
/// hand the help document of the current language, the licence, the change list or the update
/// page to the desktop, or say which of them cannot be opened; Info shows the about box in fonts.
void BindHelpMenu(wxWindow& window, FontSettings& fonts, HelpMenuSources sources);
