// wrapped_lines.h - a message broken into lines no wider than a given width, for a list that
// shows it as items.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

/// text broken into lines whose measure is at most width: at blanks where a line would grow too
/// wide (the blank itself dropped), and inside a word only when the word alone is too wide (never
/// inside a UTF-8 character). measure gives the width of a piece of text. Every character of text
/// but the dropped blanks is in the lines, in order; an empty text gives one empty line.
std::vector<std::string> WrapToWidth(std::string_view text, int width,
                                     const std::function<int(std::string_view)>& measure);
