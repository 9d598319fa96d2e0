// search_window_fixture.h - the main window on the private test directory, for the search, details
// and export window tests: field filling, list reading and the details-window hook.
#pragma once

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <wx/checkbox.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include "app/frame/main_window_template.h"
#include "directory_server.h"
#include "main_window_fixture.h"
#include "search_window/details_dialog.h"
#include "search_window/result_list.h"
#include "search_window/search_commands.h"
#include "test_directory.h"

/// The one private directory server of the test program, started on first use.
inline DirectoryServer& TestServer()
{
    static DirectoryServer server;
    return server;
}

/// Sets the details window's shown hook while alive; counts the windows shown.
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
    int Calls() const { return m_calls; }

private:
    int m_calls = 0;
};

/** A shown main window whose fields point at the fixtures branch of the test directory. */
class SearchWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestServer().Running()) << TestServer().Error();
        MainWindowTest::SetUp();
        Commands().SetTimeLimit(20);
        SetField(ctl::kServer, DirectoryServer::Host());
        SetField(ctl::kPort, std::to_string(TestServer().Port()));
        SetField(ctl::kBaseDn, test_directory::kFixturesDn);
        SetField(ctl::kPreselection, "");
    }

    SearchCommands& Commands() { return m_window->Commands(); }
    CResultList* List() { return Get<CResultList>(ctl::kResultList); }
    wxWindow* Control(int id) { return m_window->FindWindow(id); }
    void SetField(int id, const std::string& text) { SetFieldText(*m_window, id, text); }
    /// The status line's message, and " - " and the warning of its second field when there is one.
    std::string Status()
    {
        const wxStatusBar* bar = m_window->GetStatusBar();
        const std::string message = FromWx(bar->GetStatusText(0));
        const std::string warning = bar->GetFieldsCount() > 1 ? FromWx(bar->GetStatusText(1)) : std::string();
        return warning.empty() ? message : message.empty() ? warning : message + " - " + warning;
    }

    /// Fills search attribute, search string and result attribute, runs Search and waits for its answer.
    void Search(const std::string& searchAttribute, const std::string& searchString, const std::string& resultAttribute,
                bool swap = false)
    {
        SetField(ctl::kSearchAttribute, searchAttribute);
        SetField(ctl::kSearchString, searchString);
        SetField(ctl::kResultAttribute, resultAttribute);
        Get<wxCheckBox>(ctl::kSwap)->SetValue(swap);
        Commands().Search();
        WaitForQuery();
    }

    /// Every list item's texts, one per column.
    std::vector<std::vector<std::string>> ListCells()
    {
        std::vector<std::vector<std::string>> cells(List()->ItemCount());
        for (size_t item = 0; item < cells.size(); ++item) {
            for (unsigned column = 0; column < List()->GetColumnCount(); ++column) {
                cells[item].push_back(FromWx(List()->ItemText(item, column)));
            }
        }
        return cells;
    }

    /// The headings of the list's columns.
    std::vector<std::string> Headings()
    {
        std::vector<std::string> headings;
        for (unsigned column = 0; column < List()->GetColumnCount(); ++column) {
            headings.push_back(FromWx(List()->Heading(column)));
        }
        return headings;
    }

    /// True when an item shows the result icon before its first text.
    bool ItemHasIcon(size_t item)
    {
        wxVariant value;
        auto* model = static_cast<wxDataViewVirtualListModel*>(List()->GetModel());
        model->GetValue(value, model->GetItem(static_cast<unsigned>(item)), 0);
        wxDataViewIconText iconText;
        iconText << value;
        return iconText.GetBitmapBundle().IsOk();
    }

    /// An item's first cell in the list's client coordinates, once the list has laid it out.
    wxRect ItemRect(size_t item)
    {
        auto* model = static_cast<wxDataViewVirtualListModel*>(List()->GetModel());
        const auto rect = [&] {
            return List()->GetItemRect(model->GetItem(static_cast<unsigned>(item)), List()->GetColumn(0));
        };
        EXPECT_TRUE(PumpUntil([&] { return rect().width > 0; })) << "item " << item << " is not laid out";
        return rect();
    }

    /// Moves the pointer over a control (keys go to the window under it on a bare X server) and
    /// gives it the focus; returns the simulator to type or click with.
    wxUIActionSimulator& PointAt(wxWindow* control, wxPoint offset = wxPoint(5, 5))
    {
        Window().Raise();
        m_input.MouseMove(control->GetScreenPosition() + offset);
        PumpEvents();
        control->SetFocus();
        PumpEvents();
        return m_input;
    }

    /// Clicks a column heading with the mouse.
    void ClickHeading(unsigned column)
    {
        const unsigned last = List()->GetColumnCount() - 1;
        EXPECT_TRUE(PumpUntil([&] { return List()->GetColumn(last)->GetWidth() > 0; }));
        int x = 10;
        for (unsigned c = 0; c < column; ++c) {
            x += List()->GetColumn(c)->GetWidth();
        }
        PointAt(List(), wxPoint(x, 8)).MouseClick();
        PumpEvents();
    }

    /// The pixels of the list's rows (below its heading) that are as dark as text, as the screen
    /// shows them: read from the X server's screen, as a screenshot is, not from the list's model,
    /// so a list that holds its rows but never drew them counts none.
    int DrawnTextPixels()
    {
        Window().Raise();
        PumpFor(300);
        const wxRect first = ItemRect(0);
        const wxSize size = List()->GetClientSize();
        const wxPoint origin = List()->ClientToScreen(wxPoint(0, first.y));
        const std::string command = "import -silent -window root -crop " + std::to_string(size.x) + "x" +
                                    std::to_string(size.y - first.y) + "+" + std::to_string(origin.x) + "+" +
                                    std::to_string(origin.y) + " +repage ppm:-";
        const std::string ppm = RunCommand(command).text;
        // "P6 width height 255" and one whitespace, then three bytes a pixel
        std::istringstream header(ppm);
        std::string magic;
        int width = 0, height = 0, maximum = 0;
        header >> magic >> width >> height >> maximum;
        const size_t start = static_cast<size_t>(header.tellg()) + 1;
        EXPECT_EQ(magic, "P6") << command;
        if (magic != "P6" || ppm.size() < start + 3u * width * height) {
            return 0;
        }
        int dark = 0;
        for (size_t p = start; p + 2 < ppm.size(); p += 3) {
            dark += static_cast<unsigned char>(ppm[p]) + static_cast<unsigned char>(ppm[p + 1]) +
                        static_cast<unsigned char>(ppm[p + 2]) <
                    3 * 110;
        }
        return dark;
    }
    /// Expects the list's rows drawn on screen: as many text pixels as after a forced full redraw,
    /// and at least some.
    void ExpectRowsDrawn()
    {
        const int drawn = DrawnTextPixels();
        List()->Refresh();
        List()->Update();
        const int redrawn = DrawnTextPixels();
        EXPECT_GT(redrawn, 100) << "no text in the list even after a full redraw";
        EXPECT_GE(drawn * 10, redrawn * 9)
            << "the list shows " << drawn << " text pixels, " << redrawn << " once redrawn";
    }

    /// Processes events for about the given time.
    static void PumpFor(int milliseconds)
    {
        for (int waited = 0; waited < milliseconds; waited += 10) {
            PumpEvents();
            WaitBriefly();
        }
    }

    wxUIActionSimulator m_input;
};

/// An entry of the details text: "dn: " + dn, then each line, each followed by CR LF, then the separator.
inline std::string DetailsEntry(const std::string& dn, const std::vector<std::string>& lines)
{
    std::string text = "dn: " + dn + "\r\n";
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text + " \r\n --------------------------------------------------------\r\n";
}
