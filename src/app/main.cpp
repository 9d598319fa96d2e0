// main.cpp - corvane-ldap: keeps the command-line arguments as bytes and runs CLDAPApp.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/init.h>

#include "app/ldap_app.h"
#include "platform/command_line.h"
#include "search_window/background_query.h"

int main(int argc, char** argv)
{
    // the toolkit converts arguments through the locale; a profile path is kept as the system gave it
    wxApp::SetInstance(new CLDAPApp(CommandArguments(argc, argv)));
    const int status = wxEntry(argc, argv);
    if (BackgroundQuery::AnyLeftRunning()) {
        // A search left inside the client library when the window closed (its settings are saved
        // by then) would hold the process, or meet the library torn down under it: end at once.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
