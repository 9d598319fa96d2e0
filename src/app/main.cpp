// main.cpp - corvane-ldap: keeps the command-line arguments as bytes and runs CLDAPApp.
#include <string>
#include <vector>

#include <wx/init.h>

#include "app/ldap_app.h"

int main(int argc, char** argv)
{
    // the toolkit converts arguments through the locale; a profile path is kept byte for byte
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    wxApp::SetInstance(new CLDAPApp(std::move(args)));
    return wxEntry(argc, argv);
}
