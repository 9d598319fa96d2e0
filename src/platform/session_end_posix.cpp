// session_end_posix.cpp - SIGTERM and SIGHUP (the terminal or the session going away), delivered
// through the toolkit's signal handling so the close runs on the event loop.
#include <csignal>

#include <wx/app.h>

#include "platform/session_end.h"

void CloseOnEndRequest(wxApp& app, void (*close)(int))
{
    app.SetSignalHandler(SIGTERM, close);
    app.SetSignalHandler(SIGHUP, close);
}
