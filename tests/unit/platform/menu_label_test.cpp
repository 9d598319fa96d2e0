// menu_label_test.cpp - which shortcut texts reach the toolkit and how the others are shown.
#include <gtest/gtest.h>

#include "platform/menu_label.h"

TEST(MenuLabel, OnlyShortcutsTheToolkitReadsAreAccepted)
{
    const char* const accepted[] = {"Ctrl+N", "ctrl+n", "CTRL+SHIFT+S", "Alt+F4", "F1", "F12", "F24",
                                    "Ctrl+Alt+Del", "Shift+Ins", "Ctrl+1", "Esc", "Ctrl+PgUp"};
    for (const char* shortcut : accepted)
        EXPECT_TRUE(IsToolkitShortcut(shortcut)) << shortcut;
    const char* const refused[] = {"Strg+F", "Ctrl+Maj+O", "Umschalt+Entf", "Ctrl+", "", "N", "F0", "F25",
                                   "F01", "Ctrl+Ctrl+N", "Ctrl+NN", "Ctrl-N", "Ctrl+\xC3\x9C", " Ctrl+N", "Ctrl+&"};
    for (const char* shortcut : refused)
        EXPECT_FALSE(IsToolkitShortcut(shortcut)) << shortcut;
}

TEST(MenuLabel, LabelsDoubleAmpersandsAndKeepOnlyReadableShortcutsAfterTheTab)
{
    struct Row {
        const char* text;
        const char* label;
    };
    const Row rows[] = {
        {"New settings\tCtrl+N", "New settings\tCtrl+N"},
        {"Export result", "Export result"},
        {"Suchen\tStrg+F", "Suchen (Strg+F)"},
        {"Save & close\tCtrl+S", "Save && close\tCtrl+S"},
        {"Leer\t", "Leer"},
        {"A\tB\tC", "A (B C)"},
        {"R&D\tAlt+&", "R&&D (Alt+&&)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ToolkitMenuLabel(row.text), row.label) << row.text;
}
