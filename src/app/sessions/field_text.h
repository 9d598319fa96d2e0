// field_text.h - reading and setting the text of a main-window field by its id.
#pragma once

#include <string>

class wxWindow;

/// The text of window's field id as bytes, cut to 1023 bytes as every field is read; "" when
/// window holds no text field of that id.
std::string FieldText(const wxWindow& window, int id);
/// Puts text in window's field id, without a change event; nothing when there is no such field.
void SetFieldText(wxWindow& window, int id, const std::string& text);
