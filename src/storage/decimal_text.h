// decimal_text.h - reading the decimal number at the start of a text, as strtol does with base 10.
#pragma once

#include <cstdint>
#include <string_view>

/// The decimal integer at the start of text: leading white space skipped, an optional sign, digits
/// up to the first other byte; 0 without digits. Values beyond the int32 range are clamped to it,
/// as a 32-bit strtol clamps them, so no digit run can overflow.
int32_t ParseDecimal(std::string_view text);
