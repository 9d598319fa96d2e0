// main_menu.h - the main window's menu bar and its accelerator table.
#pragma once

#include <wx/accel.h>

class wxMenuBar;

/// Position of the Recent submenu in the File drop-down.
inline constexpr int kRecentMenuPosition = 5;

/// File, Edit, Options and "?" with their items under the mapped ids (ToWxId); the items whose
/// commands the program does not offer yet are disabled.
wxMenuBar* CreateMainMenuBar();
/// Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Q, Ctrl+T, F1, Ctrl+D, Ctrl+F and Ctrl+C on their commands.
wxAcceleratorTable MainAcceleratorTable();
