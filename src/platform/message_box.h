// message_box.h - the one way the program shows a message: a modal box with an OK button.
#pragma once

#include <string>

class wxWindow;

/// Shows text (bytes of the system's text form) under caption in a modal box over parent with an
/// OK button and icon (wxICON_*, wxICON_NONE for none), details under it in smaller print when
/// given; returns when the user closes it.
void ShowMessageBox(wxWindow* parent, const std::string& text, const std::string& caption, long icon,
                    const std::string& details = {});
