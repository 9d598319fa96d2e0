// gui_test_support.h - helpers for the window tests: file-dialog answers,
// message-box expectations, event pumping and file bytes.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <wx/msgdlg.h>
#include <wx/testing.h>

#include "file_bytes.h"
#include "temp_folder.h"
#include "platform/file_dialog.h"

class wxWindow;

/**
 * Answers the file dialogs with the given paths in order while alive (nullopt = cancel) and
 * records what each dialog was asked with. A dialog beyond the answers fails the test.
 */
class FileDialogAnswers {
public:
    struct Request {
        FileDialogMode mode;
        std::string defaultExtension;
        std::string filter;
    };

    explicit FileDialogAnswers(std::vector<std::optional<std::string>> answers);
    ~FileDialogAnswers();
    FileDialogAnswers(const FileDialogAnswers&) = delete;
    FileDialogAnswers& operator=(const FileDialogAnswers&) = delete;

    const std::vector<Request>& Requests() const { return m_requests; }
    /// Answers not used yet.
    std::size_t Remaining() const { return m_answers.size() - m_next; }

private:
    std::vector<std::optional<std::string>> m_answers;
    std::size_t m_next = 0;
    std::vector<Request> m_requests;
};

inline bool operator==(const FileDialogAnswers::Request& a, const FileDialogAnswers::Request& b)
{
    return a.mode == b.mode && a.defaultExtension == b.defaultExtension && a.filter == b.filter;
}
inline void PrintTo(const FileDialogAnswers::Request& r, std::ostream* os)
{
    *os << (r.mode == FileDialogMode::Save ? "Save" : "Open") << " ." << r.defaultExtension << " " << r.filter;
}
using Requests = std::vector<FileDialogAnswers::Request>;

/**
 * wxTEST_DIALOG expectation of a message box: checks its text, caption and icon (wxICON_*),
 * then answers it with OK.
 */
class ExpectMessageBox : public wxExpectModalBase<wxMessageDialog, ExpectMessageBox> {
public:
    /// seen, when given, is set to true once the box has been shown.
    ExpectMessageBox(std::string text, std::string caption, long icon, bool* seen = nullptr)
        : m_text(std::move(text)), m_caption(std::move(caption)), m_icon(icon), m_seen(seen)
    {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override;

private:
    std::string m_text;
    std::string m_caption;
    long m_icon;
    bool* m_seen;
};

/** What a shell command printed on its standard output, and how it ended (pclose's status). */
struct CommandOutput {
    std::string text;
    int status = -1;
};
/// Runs command through the shell and reads all it prints.
CommandOutput RunCommand(const std::string& command);

/// Lets the toolkit process pending and idle events a few times.
void PumpEvents();
/// Sleeps for 10 milliseconds.
void WaitBriefly();
/// Processes events until done() holds or about 5 seconds have passed; true when done.
template <class Done>
bool PumpUntil(Done done)
{
    for (int i = 0; i < 500 && !done(); ++i) {
        PumpEvents();
        WaitBriefly();
    }
    return done();
}
