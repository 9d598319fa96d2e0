// work_limit.h - whether the work that follows a search (laying out its answer, making its
// details text) must end: the user stopped the search, or its time limit ran out.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

/**
 * The stop and the time limit of a search, as the work on its answer sees them. That work counts
 * its steps here (a cell read, a line written) and ends once Reached() says so; the stop and the
 * clock are looked at on the first step and then every few hundred steps, so a step costs next to
 * nothing and a stop still ends the work within a fraction of a millisecond. Used on one thread.
 */
class WorkLimit {
public:
    /// Why the work ended early.
    enum class End { None, Stopped, TimedOut };

    /// No limit: the work always runs to its end.
    WorkLimit() = default;
    /// Ends the work once stopped() says so, or timeLimitSeconds (0: none) after now.
    WorkLimit(std::function<bool()> stopped, int32_t timeLimitSeconds);

    /// Counts one step; true once the work must end, and from then on.
    bool Reached()
    {
        if (m_end != End::None) {
            return true;
        }
        return (m_steps++ % kStepsBetweenLooks) == 0 && Look();
    }
    End Ended() const { return m_end; }
    /// The time limit the work is held to, in seconds (0: none).
    int32_t TimeLimitSeconds() const { return m_timeLimitSeconds; }

private:
    static constexpr uint32_t kStepsBetweenLooks = 256;

    /// Looks at the stop and the clock.
    bool Look();

    using Clock = std::chrono::steady_clock;

    std::function<bool()> m_stopped;
    Clock::time_point m_timeUp{};  ///< when the time limit runs out (unless it is 0)
    int32_t m_timeLimitSeconds = 0;
    uint32_t m_steps = 0;
    End m_end = End::None;
};
