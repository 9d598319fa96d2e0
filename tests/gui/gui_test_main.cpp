// gui_test_main.cpp - main of the window tests: wx initialised for tests, failing assert handler,
// log target and unexpected-dialog hook, data folders in a temporary folder, then every test.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>
#ifdef __WXGTK__
#include <glib.h>
#endif
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/modalhook.h>

#include "gui_test_support.h"
#include "platform/folders.h"
#include "platform/text.h"

namespace {

/** The application object of the tests: no command-line parsing, no window of its own. */
class GuiTestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

/** Turns wx warnings and errors into test failures; quieter messages are dropped. */
class FailingLog : public wxLog {
protected:
    void DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo& info) override
    {
        if (level <= wxLOG_Warning) {
            ADD_FAILURE_AT(info.filename != nullptr ? info.filename : "?", info.line)
                << "wx logged: " << FromWx(message);
        }
    }
};

/** A modal dialog no wxTEST_DIALOG expected would wait for a user: fail and cancel it instead. */
class UnexpectedDialogHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override
    {
        ADD_FAILURE() << "unexpected modal dialog \"" << FromWx(dialog->GetTitle()) << "\"";
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

void FailOnAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message)
{
    ADD_FAILURE_AT(FromWx(file).c_str(), line)
        << "wx assertion in " << FromWx(function) << ": " << FromWx(condition) << " " << FromWx(message);
}

#ifdef __WXGTK__
/// A warning or critical of the toolkit below wx is a fault of the program's use of it (a size
/// it cannot give, a widget in a wrong state): fail the test that caused it.
void FailOnToolkitDiagnostic(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer)
{
    ADD_FAILURE() << (domain != nullptr ? domain : "")
                  << ((level & G_LOG_LEVEL_CRITICAL) ? "-CRITICAL: " : "-WARNING: ") << message;
}
#endif

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);

    // nothing of the tests may reach the real home: the toolkit's files and the data folders
    // all go below one temporary folder
    TempFolder home;
    setenv("HOME", home.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.File("config").c_str(), 1);
    setenv("XDG_DATA_HOME", home.File("data").c_str(), 1);
    setenv("XDG_CACHE_HOME", home.File("cache").c_str(), 1);
    // the per-user folder follows XDG_CONFIG_HOME, as the program's does
    SetDataFolderOverrides("", home.File("all-users-data"));

    wxSetAssertHandler(FailOnAssert);

    wxApp::SetInstance(new GuiTestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot initialise the toolkit (no display?)\n");
        return 1;
    }
    // set after the toolkit's start, which installs its own target that shows message boxes
    delete wxLog::SetActiveTarget(new FailingLog);
#ifdef __WXGTK__
    // after the toolkit's start too: the handler set last for a domain is the one asked
    for (const char* domain : {"Gtk", "Gdk", "GLib-GObject"}) {
        g_log_set_handler(domain, static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING),
                          FailOnToolkitDiagnostic, nullptr);
    }
#endif
    wxTheApp->SetExitOnFrameDelete(false);
    UnexpectedDialogHook dialogHook;
    dialogHook.Register();

    const int result = RUN_ALL_TESTS();

    dialogHook.Unregister();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
