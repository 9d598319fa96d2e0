// output_checks.cpp - UTF-8 and control-character checks of the outputs.
#include "output_checks.h"

#include <cstdint>

bool IsWellFormedUtf8(std::string_view bytes)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        std::size_t length = 0;
        uint32_t value = 0;
        if (lead < 0x80) {
            ++at;
            continue;
        }
        if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2;
            value = lead & 0x1f;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3;
            value = lead & 0x0f;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4;
            value = lead & 0x07;
        } else {
            return false;
        }
        if (at + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[at + k]);
            if ((next & 0xc0) != 0x80) {
                return false;
            }
            value = value << 6 | (next & 0x3f);
        }
        if ((length == 3 && value < 0x800) || (length == 4 && (value < 0x10000 || value > 0x10ffff)) ||
            (value >= 0xd800 && value <= 0xdfff)) {
            return false;
        }
        at += length;
    }
    return true;
}

bool HasOnlyControls(std::string_view text, std::string_view allowed)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 || byte == 0x7f) && allowed.find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}
