// help_menu.h - the commands of the main window's "?" menu.
#pragma once

class CLDAPDlg;

/// Binds Help (also F1), License, Changes, Check for update and Info on the
/// main window: the first four hand the help document of the current language,
/// the licence, the change list or the update page to the desktop; Info shows
/// the about box.
void BindHelpMenu(CLDAPDlg& window);
