// menu_mnemonics.cpp - picks unique mnemonic characters for the labels of one menu.
#include "localisation/menu_mnemonics.h"

#include <set>

namespace {

/// One UTF-8 character of a label: where it starts, its length and its code point.
struct Character {
    std::size_t position;
    std::size_t length;
    char32_t code;
};

std::vector<Character> Characters(const std::string& text)
{
    std::vector<Character> characters;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 1;
        if (i + length > text.size()) {
            length = 1;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        characters.push_back({i, length, code});
        i += length;
    }
    return characters;
}

bool IsLetterOrDigit(char32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x386 && c <= 0x3FF) ||
           (c >= 0x400 && c <= 0x4FF);
}

/// The lower-case form the comparison uses.
char32_t Folded(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131) {
        return c | 1;  // Latin Extended-A pairs capital and small letter as even and odd
    }
    if (c == 0x130) {
        return 'i';
    }
    return c;
}

bool IsVisible(char32_t c)
{
    return c > ' ' && c != 0x7F && c != 0xA0 && c != '&';
}

}  // namespace

std::vector<std::size_t> ChooseMnemonics(const std::vector<std::string>& labels)
{
    std::set<char32_t> used;
    std::vector<std::size_t> positions;
    for (const std::string& label : labels) {
        const std::vector<Character> characters = Characters(label);
        std::size_t chosen = std::string::npos;
        // three passes: word starts, any letter or digit, any other visible character
        for (int pass = 0; pass < 3 && chosen == std::string::npos; ++pass) {
            for (std::size_t i = 0; i < characters.size(); ++i) {
                const char32_t code = characters[i].code;
                const bool wordStart = i == 0 || !IsLetterOrDigit(characters[i - 1].code);
                const bool fits = pass == 0   ? IsLetterOrDigit(code) && wordStart
                                  : pass == 1 ? IsLetterOrDigit(code)
                                              : IsVisible(code);
                if (fits && used.insert(Folded(code)).second) {
                    chosen = characters[i].position;
                    break;
                }
            }
        }
        positions.push_back(chosen);
    }
    return positions;
}

void SplitMenuLabel(const std::string& label, std::string& text, std::string& shortcut)
{
    const std::size_t tab = label.find('\t');
    shortcut = tab == std::string::npos ? std::string() : label.substr(tab);
    text.clear();
    const std::size_t end = tab == std::string::npos ? label.size() : tab;
    for (std::size_t i = 0; i < end; ++i) {
        if (label[i] == '&') {
            if (i + 1 < end && label[i + 1] == '&') {
                text += label[++i];
            }
            continue;  // a single "&" only marks the next character
        }
        text += label[i];
    }
}

std::string MarkMnemonic(const std::string& text, std::size_t position, const std::string& shortcut)
{
    std::string label;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == position) {
            label += '&';
        }
        label += text[i];
        if (text[i] == '&') {
            label += '&';
        }
    }
    return label + shortcut;
}
