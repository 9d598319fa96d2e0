// main_window_fixture.h - a test fixture holding a shown main window, destroyed after each test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/weakref.h>

#include "app/sessions/field_text.h"
#include "app/sessions/language_session.h"
#include "app/frame/main_window.h"
#include "app/sessions/profile_session.h"
#include "search_window/search_commands.h"
#include "gui_test_support.h"
#include "platform/command_ids.h"
#include "platform/text.h"

/** Shows a fresh main window (no command-line argument) for each test and destroys it after. */
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override { Open({}); }
    void TearDown() override { CloseWindow(); }

    /// Replaces the window by one started with args.
    void Open(const std::vector<std::string>& args)
    {
        CloseWindow();
        m_window = new CLDAPDlg(args);
        m_window->Show();
        PumpEvents();
    }
    void CloseWindow()
    {
        if (m_window) {
            m_window->Destroy();
        }
        PumpEvents();
    }
    CLDAPDlg& Window() { return *m_window; }
    template <class T>
    T* Get(int id)
    {
        return dynamic_cast<T*>(m_window->FindWindow(id));
    }
    std::string Title() { return FromWx(m_window->GetTitle()); }
    /// Processes events until the window's search or details query has ended (its answer shown).
    void WaitForQuery()
    {
        EXPECT_TRUE(PumpUntil([&] { return !m_window->Commands().Searching(); })) << "the query did not end";
    }
    /// Sends a menu command to the window.
    void RunMenu(int command)
    {
        wxCommandEvent event(wxEVT_MENU, ToWxId(command));
        m_window->ProcessWindowEvent(event);
    }
    wxMenuItem* Item(int command) { return m_window->GetMenuBar()->FindItem(ToWxId(command)); }
    /// The raw text of a menu item's shortcut, "" when it has none.
    static std::string Shortcut(wxMenuItem* item)
    {
        std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        return accel ? FromWx(accel->ToRawString()) : std::string();
    }

    wxWeakRef<CLDAPDlg> m_window;
};
