// file_filter.cpp - the toolkit-free rules of the file dialogs: filter form and default extension.
#include <string>
#include <vector>

#include "platform/file_dialog.h"

std::string ToWxWildcard(const std::string& filter)
{
    std::vector<std::string> pieces;
    std::string piece;
    for (const char ch : filter) {
        if (ch == '|') {
            if (!piece.empty()) {
                pieces.push_back(piece);
            }
            piece.clear();
        } else {
            piece.push_back(ch);
        }
    }
    if (!piece.empty()) {
        pieces.push_back(piece);
    }
    // the toolkit takes description|pattern pairs; a description without its pattern (a damaged
    // translation) gets the pattern of every file rather than making the dialog refuse the list
    if (pieces.size() % 2 == 1) {
        pieces.push_back("*");
    }
    std::string wildcard;
    for (const std::string& p : pieces) {
        if (!wildcard.empty()) {
            wildcard.push_back('|');
        }
        wildcard += p;
    }
    return wildcard;
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension)
{
    if (path.empty() || extension.empty()) {
        return path;
    }
    const std::size_t separator = path.find_last_of("/\\");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    if (nameStart >= path.size()) {
        return path;  // a folder, not a file name
    }
    if (path.find('.', nameStart) != std::string::npos) {
        return path;
    }
    return path + "." + extension;
}
