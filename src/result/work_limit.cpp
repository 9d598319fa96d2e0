// work_limit.cpp - WorkLimit: the stop and the time limit of a search, looked at now and then.
#include "result/work_limit.h"

#include <utility>

WorkLimit::WorkLimit(std::function<bool()> stopped, int32_t timeLimitSeconds)
    : m_stopped(std::move(stopped)),
      m_timeUp(Clock::now() + std::chrono::seconds(timeLimitSeconds > 0 ? timeLimitSeconds : 0)),
      m_timeLimitSeconds(timeLimitSeconds > 0 ? timeLimitSeconds : 0)
{}

bool WorkLimit::Look()
{
    if (m_stopped && m_stopped()) {
        m_end = End::Stopped;
    } else if (m_timeLimitSeconds > 0 && Clock::now() >= m_timeUp) {
        m_end = End::TimedOut;
    }
    return m_end != End::None;
}
