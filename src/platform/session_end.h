// session_end.h - a request from the system to end the program (the session ending, a terminate
// signal) closing the main window the ordinary way, so its settings are saved.
#pragma once

class wxApp;

/// Calls close(0) when the system asks the program to end, besides the toolkit's end-of-session
/// event that the caller binds itself.
void CloseOnEndRequest(wxApp& app, void (*close)(int));
