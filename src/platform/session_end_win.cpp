// session_end_win.cpp - on Windows the session's end reaches the window as the toolkit's
// end-of-session event (WM_ENDSESSION), which the caller binds; there are no signals to add.
#include <wx/app.h>

#include "platform/session_end.h"

void CloseOnEndRequest(wxApp&, void (*)(int)) {}
