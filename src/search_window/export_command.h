// export_command.h - Edit > Export result and Edit > Export as LDIF: the shown result saved to a
// file the user chooses.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "result/shown_result.h"

class QueryRunner;

/** Saves the shown result in the ";" export or as LDIF. */
class ExportCommand {
public:
    /// result is the slot of the shown result the exports read.
    ExportCommand(QueryRunner& runner, const std::shared_ptr<ShownResult>& result) : m_runner(runner), m_result(result)
    {}

    /// Edit > Export result: every shown entry, ";"-separated.
    void Export();
    /// Edit > Export as LDIF: the shown entries with the values of the result attributes.
    void ExportLdif();

private:
    /// Asks for a path with extension and the filter text of filterKey, writes text() there, and
    /// says so when the file cannot be written. Nothing while a query runs.
    void Save(const char* extension, const char* filterKey, const std::function<std::string()>& text);

    QueryRunner& m_runner;
    const std::shared_ptr<ShownResult>& m_result;
};
