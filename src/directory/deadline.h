// deadline.h - the moment by which a search must have ended, and what is left of it.
#pragma once

#include <chrono>
#include <cstdint>

/** A point on the monotonic clock after which a search gives up; "never" when it has no limit. */
class Deadline {
public:
    using Clock = std::chrono::steady_clock;

    /// seconds from now; 0 or less means no limit.
    static Deadline After(int32_t seconds)
    {
        Deadline deadline;
        if (seconds > 0) {
            deadline.m_end = Clock::now() + std::chrono::seconds(seconds);
            deadline.m_limited = true;
        }
        return deadline;
    }

    bool Limited() const { return m_limited; }
    bool Passed() const { return m_limited && Clock::now() >= m_end; }

    /// Milliseconds left for a poll(), at least 0, at most cap; cap itself when there is no limit.
    int PollMilliseconds(int cap) const
    {
        if (!m_limited) {
            return cap;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_end - Clock::now()).count();
        return left <= 0 ? 0 : (left < cap ? static_cast<int>(left) : cap);
    }

    /// Whole seconds left, rounded up, at least 1; 0 when there is no limit.
    int32_t SecondsLeft() const
    {
        if (!m_limited) {
            return 0;
        }
        const auto left = std::chrono::ceil<std::chrono::seconds>(m_end - Clock::now()).count();
        return left < 1 ? 1 : static_cast<int32_t>(left);
    }

private:
    Clock::time_point m_end{};
    bool m_limited = false;
};
