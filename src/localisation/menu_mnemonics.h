// menu_mnemonics.h - the letter of each menu label that Alt (or the open menu) selects it by,
// chosen from the label's own text so that every language gets one without storing it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

/// For labels shown together (the items of one menu, or the menu bar's titles), the byte position
/// of each label's mnemonic character, std::string::npos when none is left. Each label takes the
/// first still unused letter or digit that starts a word, else the first unused one inside a word,
/// else its first unused other visible character ("?" for a menu titled "?"). Letters are compared
/// without case (ASCII, Latin-1, Greek and Cyrillic capitals), so no two labels share one.
/// labels are plain UTF-8 texts without "&" markers or shortcut part.
std::vector<std::size_t> ChooseMnemonics(const std::vector<std::string>& labels);

/// A toolkit label ("&&" for "&", a single "&" marking a mnemonic, a TAB before the shortcut)
/// split into its plain text, without marker, and the part from the TAB on ("" when none).
void SplitMenuLabel(const std::string& label, std::string& text, std::string& shortcut);

/// The toolkit label of text with the mnemonic before byte position (none for npos): "&" doubled,
/// then "&" inserted, then shortcut appended as it is.
std::string MarkMnemonic(const std::string& text, std::size_t position, const std::string& shortcut);
