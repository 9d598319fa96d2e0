// result_code_text.h - the text of a directory result code, the same on every system.
#pragma once

#include <string>

/// The text of the client library's result code resultCode ("error N" for a code without one).
std::string ResultCodeText(int resultCode);
