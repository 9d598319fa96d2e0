// accessible_names_win.cpp - NameFieldsByLabels on Windows: the system names a field by the label
// that precedes it, so there is nothing to set.
#include "platform/accessible_names.h"

void NameFieldsByLabels(wxWindow* /*window*/) {}
