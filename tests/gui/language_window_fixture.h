// language_window_fixture.h - the main window started from a program folder of the test's own,
// with a language catalogue and language files in it, and the expectation that answers a dialog.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <gtest/gtest.h>
#include <wx/testing.h>

#include "main_window_fixture.h"
#include "platform/folders.h"

/// Answers the next modal dialog of type Dialog with what act returns, after act has looked at it
/// and worked its controls (the dialog is built, not shown).
template <class Dialog>
class AnswerDialog : public wxExpectModalBase<Dialog, AnswerDialog<Dialog>> {
public:
    explicit AnswerDialog(std::function<int(Dialog&)> act) : m_act(std::move(act)) {}

protected:
    int OnInvoked(Dialog* dialog) const override { return m_act(*dialog); }

private:
    std::function<int(Dialog&)> m_act;
};

/**
 * The main window of a program whose folder and storage folder are temporary ones; LANG is "C"
 * unless a test sets it.
 */
class LanguageWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            if (const char* value = std::getenv(name)) {
                m_savedEnvironment.emplace_back(name, value);
            }
            unsetenv(name);
        }
        setenv("LANG", "C", 1);
        SetProgramPathOverride(m_programFolder.File("corvane-ldap"));
        // a storage folder of the test's own, so that LDAP.ini starts missing
        m_savedDataFolders = {UserDataFolder(), AllUsersDataFolder()};
        SetDataFolderOverrides(m_programFolder.File("user"), m_programFolder.File("all-users"));
        // no window yet: each test writes its files first, then calls Open
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        SetProgramPathOverride("");
        SetDataFolderOverrides(m_savedDataFolders.first, m_savedDataFolders.second);
        unsetenv("LANG");
        for (const auto& [name, value] : m_savedEnvironment) {
            setenv(name.c_str(), value.c_str(), 1);
        }
    }

    /// Writes a file of the program folder.
    void WriteProgramFile(const std::string& name, const std::string& bytes)
    {
        WriteBytes(m_programFolder.File(name), bytes);
    }
    std::string ProgramFile(const std::string& name) const { return m_programFolder.File(name); }

    TempFolder m_programFolder;
    std::vector<std::pair<std::string, std::string>> m_savedEnvironment;
    std::pair<std::string, std::string> m_savedDataFolders;
};
