// apply_mnemonics.h - puts the mnemonic markers on a menu bar's titles and menu items.
#pragma once

class wxMenu;
class wxMenuBar;

/// Marks one mnemonic in each title of bar and, through ApplyMnemonics(wxMenu*), in each of its
/// menus. Labels keep their text and shortcut; only the marker moves.
void ApplyMnemonics(wxMenuBar* bar);
/// Marks one mnemonic in each item of menu, unique within it, and does the same in its submenus.
void ApplyMnemonics(wxMenu* menu);
