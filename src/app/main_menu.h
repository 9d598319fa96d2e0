// main_menu.h - the main window's menu bar (menu 132) and its accelerator table (141).
#pragma once

#include <string>

#include <wx/accel.h>

class wxMenuBar;
class wxMenuItem;

/// Position of the Recent submenu in the File drop-down.
inline constexpr int kRecentMenuPosition = 5;

/// File, Edit, Options and "?" with their items under the mapped ids (ToWxId); the items whose
/// commands the program does not offer yet are disabled.
wxMenuBar* CreateMainMenuBar();
/// Sets a menu item's label from text in the menu form ("Text\tShortcut"): "&" shows as itself
/// and a shortcut the toolkit cannot read is shown without being handed to its parser.
void SetMenuItemText(wxMenuItem* item, const std::string& text);
/// Sets the label of the menu bar's drop-down at position.
void SetMenuBarText(wxMenuBar* bar, int position, const std::string& text);
/// Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Q, Ctrl+T, F1, Ctrl+D and Ctrl+F on their commands.
wxAcceleratorTable MainAcceleratorTable();
