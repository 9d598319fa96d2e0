// status_line.cpp - the status line's fields: one for the message, a second for a warning.
#include "search_window/status_line.h"

#include <utility>

#include <wx/statusbr.h>

#include "platform/text.h"

StatusLine::StatusLine(wxStatusBar* bar) : m_bar(bar)
{
    // The line's own tooltip holds its whole text, which the toolkit's tips of cut fields would replace.
    if (m_bar != nullptr && m_bar->HasFlag(wxSTB_SHOW_TIPS)) {
        m_bar->SetWindowStyleFlag(m_bar->GetWindowStyleFlag() & ~wxSTB_SHOW_TIPS);
    }
}

void StatusLine::Show(Compose message, Compose warning)
{
    m_shown = Shown{std::move(message), std::move(warning)};
    Retranslate();
}

void StatusLine::ShowText(const std::string& text)
{
    Show([text] { return text; });
}

void StatusLine::Retranslate()
{
    if (m_bar == nullptr) {
        return;
    }
    const wxString message = m_shown.message ? ToWx(m_shown.message()) : wxString();
    const wxString warning = m_shown.warning ? ToWx(m_shown.warning()) : wxString();
    if (warning.empty()) {
        // Setting the count lays the bar out again: only when it changes (a message that counts
        // arriving entries is shown often).
        if (m_bar->GetFieldsCount() != 1) {
            m_bar->SetFieldsCount(1);
        }
    } else {
        // the warning's field fits its text; the margin covers the field's border and padding
        const int widths[] = {-1, m_bar->GetTextExtent(warning).GetWidth() + m_bar->FromDIP(16)};
        m_bar->SetFieldsCount(2, widths);
        m_bar->SetStatusText(warning, 1);
    }
    m_bar->SetStatusText(message, 0);
    // A message longer than its field is cut there: the tooltip holds it whole, with the warning.
    const wxString whole = warning.empty() ? message : message.empty() ? warning : message + "\n" + warning;
    if (whole.empty()) {
        m_bar->UnsetToolTip();
    } else if (m_bar->GetToolTipText() != whole) {
        m_bar->SetToolTip(whole);
    }
}
