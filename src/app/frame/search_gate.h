// search_gate.h - what the main window does while a search or details query runs beside it.
#pragma once

#include <functional>

class SearchCommands;
class wxFrame;
class wxWindow;

/// While a query runs, the commands that read or replace the result or the fields wait: Details,
/// Export result, New settings, Open settings and the recent entries are disabled in the menu
/// (and their shortcuts ignored), and a dropped profile is ignored. Escape stops the query with
/// what had arrived; closing the window stops it first and then closes as usual. Bind after every
/// other handler of the frame, so these run first. ended runs after every query, its answer shown.
void GuardCommandsDuringSearch(wxFrame& frame, wxWindow& panel, SearchCommands& commands,
                               std::function<void()> ended = {});
