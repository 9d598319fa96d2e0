// main.cpp - corvane-ldap: keeps the command-line arguments as bytes and runs CLDAPApp.
#include <string>
#include <vector>

#include <wx/init.h>

#include "app/ldap_app.h"
#include "platform/command_line.h"

int main(int argc, char** argv)
{
    // the toolkit converts arguments through the locale; a profile path is kept as the system gave it
    wxApp::SetInstance(new CLDAPApp(CommandArguments(argc, argv)));
    return wxEntry(argc, argv);
}
