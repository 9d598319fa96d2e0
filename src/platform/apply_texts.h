// apply_texts.h - the one place where looked-up texts go onto controls, captions and menu items.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"

class wxMenuBar;
class wxMenuItem;
class wxTopLevelWindow;
class wxWindow;

/** Where one window's texts go. Every member may be null. */
struct TextPlaces {
    wxTopLevelWindow* window = nullptr;  ///< takes the caption row
    wxWindow* controls = nullptr;        ///< searched for the controls by id (1 is OK, 2 is Cancel)
    wxMenuBar* menuBar = nullptr;        ///< takes the menu rows
    std::function<void(const TextKey& row, const std::string& text)> store;  ///< takes the stored rows
};

/// The places of window: its caption, the controls below controls (window itself when null) and,
/// for a frame, its menu bar.
TextPlaces PlacesOf(wxTopLevelWindow* window, wxWindow* controls = nullptr);

/// Looks up every row of table in catalog, in table order, and puts each text in its place; a row
/// whose place (controls, menu bar, store) is missing is still looked up. The rows of the first
/// drop-down (File) are skipped, not looked up, when there is no menu bar with a drop-down. A row
/// naming a control, a File menu command or a menu position its place lacks fails an assertion:
/// the key table and the window disagree. Other menu commands may have been taken out by the window.
void ApplyTexts(std::span<const TextKey> table, const TextCatalog& catalog, const TextPlaces& places);

/// Sets a menu item's label from text in the menu form ("Text\tShortcut"): "&" shows as itself
/// and a shortcut the toolkit cannot read is shown without being handed to its parser. The item
/// keeps its command, submenu and check mark.
void SetMenuItemText(wxMenuItem* item, const std::string& text);
/// Sets the label of the menu bar's drop-down at position.
void SetMenuBarText(wxMenuBar* bar, int position, const std::string& text);
