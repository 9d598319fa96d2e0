// menu_label.h - a menu text with its shortcut after a TAB turned into a label the toolkit takes.
#pragma once

#include <string>

/// True when shortcut is a key combination the toolkit's accelerator parser reads without
/// complaint: optional "Ctrl+", "Alt+", "Shift+" (any letter case, each at most once), then a
/// letter or digit (only after a modifier), F1..F24, or a named key (Del, Ins, Home, End, PgUp,
/// PgDn, PageUp, PageDown, Enter, Return, Esc, Escape, Tab, Space, Back, Left, Right, Up, Down).
bool IsToolkitShortcut(const std::string& shortcut);

/// shortcut with the modifier and key names of the shipped translations put in the toolkit's
/// words, each part between "+" on its own and in any letter case: "Strg" and "Ctl" become
/// "Ctrl", "Umschalt", "Umsch" and "Maj" become "Shift", "Entf" and "Suppr" become "Del",
/// "Einfg" becomes "Ins", "Échap" becomes "Esc". Other parts stay as they are.
std::string ToolkitShortcut(const std::string& shortcut);

/// The bytes a menu item label gets: "&" doubled in the text; the part after the first TAB kept
/// after a TAB when the toolkit reads it as a shortcut once put in its words (ToolkitShortcut), otherwise shown after
/// the text in brackets without a TAB (e.g. "Suchen (Strg+F)"), so a translated shortcut is never handed to the
/// accelerator parser.
std::string ToolkitMenuLabel(const std::string& text);
