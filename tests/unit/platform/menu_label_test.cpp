// menu_label_test.cpp - which shortcut texts reach the toolkit and how the others are shown.
#include <gtest/gtest.h>

#include "platform/menu_label.h"

TEST(MenuLabel, OnlyShortcutsTheToolkitReadsAreAccepted)
{
    for (const char* shortcut : {"Ctrl+N", "ctrl+n", "CTRL+SHIFT+S", "Alt+F4", "F1", "F12", "F24", "Ctrl+Alt+Del",
                                 "Shift+Ins", "Ctrl+1", "Esc", "Ctrl+PgUp"}) {
        EXPECT_TRUE(IsToolkitShortcut(shortcut)) << shortcut;
    }
    for (const char* shortcut : {"Strg+F", "Ctrl+Maj+O", "Umschalt+Entf", "Ctrl+", "", "N", "F0", "F25", "F01",
                                 "Ctrl+Ctrl+N", "Ctrl+NN", "Ctrl-N", "Ctrl+\xC3\x9C", " Ctrl+N", "Ctrl+&"}) {
        EXPECT_FALSE(IsToolkitShortcut(shortcut)) << shortcut;
    }
}

TEST(MenuLabel, LabelsDoubleAmpersandsAndKeepOnlyReadableShortcutsAfterTheTab)
{
    const struct {
        const char *text, *label;
    } rows[] = {
        {"New settings\tCtrl+N", "New settings\tCtrl+N"},
        {"Export result", "Export result"},
        {"Suchen\tStrg+F", "Suchen\tCtrl+F"},
        {"Ouvrir\tCtrl+Maj+O", "Ouvrir\tCtrl+Shift+O"},
        {"L\xC3\xB6schen\tUmschalt+Entf", "L\xC3\xB6schen\tShift+Del"},
        {"Suchen\tStrg+\xC3\x9C", "Suchen (Strg+\xC3\x9C)"},
        {"Save & close\tCtrl+S", "Save && close\tCtrl+S"},
        {"Leer\t", "Leer"},
        {"A\tB\tC", "A (B C)"},
        {"R&D\tAlt+&", "R&&D (Alt+&&)"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ToolkitMenuLabel(row.text), row.label) << row.text;
    }
}
