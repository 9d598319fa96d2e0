// recent_list.cpp - the recent-list rules.
#include "storage/recent_list.h"

#include <algorithm>

#include "storage/file_utils.h"

void RecentList::Add(const std::string& path, bool atTop)
{
    if (m_deactivated) {
        return;
    }
    if (FileExists(path)) {
        const auto same = std::find(m_entries.begin(), m_entries.end(), path);
        if (same != m_entries.end()) {
            m_entries.erase(same);
        }
    }
    if (m_entries.size() >= kMaxEntries) {
        m_entries.pop_back();
    }
    m_entries.insert(atTop ? m_entries.begin() : m_entries.end(), path);
}

void RecentList::Restore(const std::vector<std::string>& stored, bool deactivated)
{
    for (const std::string& path : stored) {
        if (FileExists(path)) {
            Add(path, false);
        }
    }
    if (deactivated && !m_deactivated) {
        ToggleDeactivate();
    }
}
