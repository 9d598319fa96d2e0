// gui_test_support.cpp - file-dialog answers, message-box checks, event pumping.
#include "gui_test_support.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include <gtest/gtest.h>
#include <wx/app.h>

#include "platform/text.h"

FileDialogAnswers::FileDialogAnswers(std::vector<std::optional<std::string>> answers) : m_answers(std::move(answers))
{
    SetFileDialogHandler([this](FileDialogMode mode, const std::string& extension, const std::string& filter) {
        m_requests.push_back({mode, extension, filter});
        if (m_next >= m_answers.size()) {
            ADD_FAILURE() << "a file dialog was shown that the test did not expect";
            return std::optional<std::string>();
        }
        return m_answers[m_next++];
    });
}

FileDialogAnswers::~FileDialogAnswers()
{
    SetFileDialogHandler(nullptr);
}

int ExpectMessageBox::OnInvoked(wxMessageDialog* dialog) const
{
    EXPECT_EQ(FromWx(dialog->GetMessage()), m_text);
    EXPECT_EQ(FromWx(dialog->GetTitle()), m_caption);
    EXPECT_EQ(dialog->GetMessageDialogStyle() & wxICON_MASK, m_icon) << "icon of \"" << m_text << "\"";
    if (m_seen != nullptr) {
        *m_seen = true;
    }
    return wxID_OK;
}

CommandOutput RunCommand(const std::string& command)
{
    CommandOutput output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        while (const size_t n = fread(buffer, 1, sizeof buffer, pipe)) {
            output.text.append(buffer, n);
        }
        output.status = pclose(pipe);
    }
    return output;
}

void PumpEvents()
{
    for (int i = 0; i < 3; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

void WaitBriefly()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}
