// recent_list.h - the recent profiles list of the File menu: newest first, at most 15 entries,
// a loaded profile moved to the top, recording stopped while "Deactivate" is checked.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class RecentList {
public:
    static constexpr std::size_t kMaxEntries = 15;

    /// Records a loaded profile. Nothing while deactivated. When the file exists, its entry (the
    /// first with exactly this text) is taken out first; a full list drops its last entry; then
    /// path goes to the top (atTop) or to the end.
    void Add(const std::string& path, bool atTop);
    /// The list as stored in the settings, entries top first: those whose files exist are added
    /// at the end in turn; then the deactivation is set when stored so.
    void Restore(const std::vector<std::string>& stored, bool deactivated);
    /// Removes every entry; the deactivation stays.
    void Clear() { m_entries.clear(); }
    void ToggleDeactivate() { m_deactivated = !m_deactivated; }

    bool Deactivated() const { return m_deactivated; }
    const std::vector<std::string>& Entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
    bool m_deactivated = false;
};
