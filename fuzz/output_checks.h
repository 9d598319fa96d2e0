// output_checks.h - what every text the program makes of a directory's answer must be, for the
// answer fuzzer. Written apart from the program's own UTF-8 rules, so a fault there cannot hide.
#pragma once

#include <string_view>

/// True when bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsWellFormedUtf8(std::string_view bytes);

/// True when text holds no control character other than those in allowed.
bool HasOnlyControls(std::string_view text, std::string_view allowed);
