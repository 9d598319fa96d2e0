// status_line.h - the main window's status line: a message, and beside it a warning in a field
// of its own, both composed again when the language changes.
#pragma once

#include <functional>
#include <string>

class wxStatusBar;

/**
 * The two messages of the status line. The message takes the first field and whatever width is
 * left; a warning gets a second field as wide as its text, so a long message never pushes it out
 * of view. Each text is kept as the function that composes it from the current language's texts,
 * so Retranslate shows the same messages in a language chosen since. The status line's tooltip
 * holds both whole, one a line, for a message longer than its field.
 */
class StatusLine {
public:
    using Compose = std::function<std::string()>;
    /** What the status line shows, to be put back after a passing message. */
    struct Shown {
        Compose message;
        Compose warning;
    };

    /// bar may be null: nothing is shown then.
    explicit StatusLine(wxStatusBar* bar);

    /// Shows message and, when given and not empty, warning in the second field.
    void Show(Compose message, Compose warning = {});
    /// A fixed message without a warning.
    void ShowText(const std::string& text);
    /// Composes and shows both messages again (after a language change).
    void Retranslate();
    const Shown& Current() const { return m_shown; }
    void Restore(const Shown& shown) { Show(shown.message, shown.warning); }

private:
    wxStatusBar* m_bar;
    Shown m_shown;
};
