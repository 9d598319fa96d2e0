// search_window_fixture.h - the main window on the private test directory, for the search, details
// and export window tests: field filling, list reading and the details-window hook.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>

#include "app/main_window.h"
#include "app/main_window_template.h"
#include "directory_server.h"
#include "gui_test_support.h"
#include "platform/text.h"
#include "search_window/details_dialog.h"
#include "search_window/search_commands.h"
#include "test_directory.h"

/// The one private directory server of the test program, started on first use.
inline DirectoryServer& TestServer()
{
    static DirectoryServer server;
    return server;
}

/// Sets the details window's shown hook while alive.
class DetailsShownHook {
public:
    explicit DetailsShownHook(std::function<void(CDetailsDialog&)> hook)
    {
        CDetailsDialog::SetShownHook([this, hook = std::move(hook)](CDetailsDialog& dialog) {
            ++m_calls;
            hook(dialog);
        });
    }
    ~DetailsShownHook() { CDetailsDialog::SetShownHook(nullptr); }
    DetailsShownHook(const DetailsShownHook&) = delete;
    DetailsShownHook& operator=(const DetailsShownHook&) = delete;

    /// How many details windows were shown.
    int Calls() const { return m_calls; }

private:
    int m_calls = 0;
};

/** A shown main window whose fields point at the fixtures branch of the test directory. */
class SearchWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestServer().Running()) << TestServer().Error();
        m_window = new CLDAPDlg({});
        m_window->Show();
        PumpEvents();
        Commands().SetTimeLimit(20);
        SetField(ctl::kServer, DirectoryServer::Host());
        SetField(ctl::kPort, std::to_string(TestServer().Port()));
        SetField(ctl::kBaseDn, test_directory::kFixturesDn);
        SetField(ctl::kPreselection, "");
    }

    void TearDown() override
    {
        if (m_window) {
            m_window->Destroy();
            PumpEvents();
        }
    }

    SearchCommands& Commands() { return m_window->Commands(); }
    wxListCtrl* List() const { return static_cast<wxListCtrl*>(m_window->FindWindow(ctl::kResultList)); }
    wxWindow* Control(int id) const { return m_window->FindWindow(id); }
    void SetField(int id, const std::string& text) { m_window->SetFieldText(id, text); }
    void SetSwap(bool ticked) { static_cast<wxCheckBox*>(Control(ctl::kSwap))->SetValue(ticked); }

    /// Fills search attribute, search string and result attribute and runs Search.
    void Search(const std::string& searchAttribute, const std::string& searchString,
                const std::string& resultAttribute, bool swap = false)
    {
        SetField(ctl::kSearchAttribute, searchAttribute);
        SetField(ctl::kSearchString, searchString);
        SetField(ctl::kResultAttribute, resultAttribute);
        SetSwap(swap);
        Commands().Search();
    }

    /// Every list item's texts, one per column.
    std::vector<std::vector<std::string>> ListCells() const
    {
        std::vector<std::vector<std::string>> cells;
        wxListCtrl* list = List();
        for (long item = 0; item < list->GetItemCount(); ++item) {
            std::vector<std::string> row;
            for (int column = 0; column < list->GetColumnCount(); ++column)
                row.push_back(FromWx(list->GetItemText(item, column)));
            cells.push_back(row);
        }
        return cells;
    }

    /// The headings of the list's columns.
    std::vector<std::string> Headings() const
    {
        std::vector<std::string> headings;
        wxListCtrl* list = List();
        for (int column = 0; column < list->GetColumnCount(); ++column) {
            wxListItem item;
            item.SetMask(wxLIST_MASK_TEXT);
            list->GetColumn(column, item);
            headings.push_back(FromWx(item.GetText()));
        }
        return headings;
    }

    /// Selects exactly the given list items.
    void Select(const std::vector<long>& items)
    {
        wxListCtrl* list = List();
        for (long item = 0; item < list->GetItemCount(); ++item)
            list->SetItemState(item, 0, wxLIST_STATE_SELECTED);
        for (long item : items)
            list->SetItemState(item, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }

    CLDAPDlg* m_window = nullptr;
};

/// Entry values of the details text: each value followed by CR LF, then the separator.
inline std::string DetailsEntry(const std::vector<std::string>& values)
{
    std::string text;
    for (const std::string& value : values)
        text += value + "\r\n";
    return text + " \r\n --------------------------------------------------------\r\n";
}
