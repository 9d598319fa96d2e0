// detail_fields_rules.h - the detail-fields dialog's list text: built from the slots, a name added,
// and written back into the slots, without any window.
#pragma once

#include <string>

#include "storage/connection_profile.h"

/// The list as the dialog's edit shows it: the names up to the first empty slot, one a line,
/// lines separated by "\n", no line break after the last.
std::string DetailFieldsText(const DetailSlots& slots);

/// Add: text with name as a new last line (name alone when text is empty); text unchanged when
/// name is empty. No check for duplicates, blanks or the number of lines.
std::string WithFieldAdded(const std::string& text, const std::string& name);

/// OK: the lines of text that are not blank (only spaces or tabs, or nothing), in order, without
/// their line breaks (a CR before one included), into the slots from slot 0; every further slot
/// empty. Lines are kept as typed. Only the first kDetailSlotCount such lines are kept, and a
/// line longer than kFieldLimit bytes is cut there without splitting a UTF-8 character.
DetailSlots DetailSlotsFromText(const std::string& text);
