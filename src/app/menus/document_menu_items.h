// document_menu_items.h - the "?" menu items that open documents of the installation.
#pragma once

struct ProgramFolders;
class wxMenuBar;

/// Removes License when the licence file is missing, and Changes and Check for update when the
/// change list is missing.
void RemoveMissingDocumentItems(wxMenuBar& bar, const ProgramFolders& folders);
