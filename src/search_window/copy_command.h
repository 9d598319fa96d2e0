// copy_command.h - Edit > Copy: a field's selection, or the result list's items as a table.
#pragma once

#include <memory>

#include "result/shown_result.h"
#include "search_window/search_controls.h"

class QueryRunner;

/** Puts what the user chose on the clipboard. */
class CopyCommand {
public:
    /// result is the slot of the shown result the list shows.
    CopyCommand(SearchControls controls, const QueryRunner& runner, const std::shared_ptr<ShownResult>& result)
        : m_controls(controls), m_runner(runner), m_result(result)
    {}

    /// The text of the focused field when it has a selection; otherwise the list's selected items,
    /// or all when none is selected, as tab-separated lines under a heading line.
    void Copy();

private:
    SearchControls m_controls;
    const QueryRunner& m_runner;
    const std::shared_ptr<ShownResult>& m_result;
};
