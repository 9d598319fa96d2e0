// background_query.cpp - BackgroundQuery: a worker thread per query, its end queued with CallAfter.
#include "search_window/background_query.h"

#include <wx/event.h>

#include "directory/directory_query.h"

/** The query of one run and what to do when it has ended. */
struct BackgroundQuery::Job {
    DirectoryQuery query;
    std::function<void()> done;
};

BackgroundQuery::BackgroundQuery(wxEvtHandler* owner) : m_owner(owner) {}

BackgroundQuery::~BackgroundQuery()
{
    Cancel();
}

bool BackgroundQuery::Start(std::function<void(DirectoryQuery&)> work, std::function<void()> done,
                            std::function<void(uint32_t)> progress)
{
    if (m_job) {
        return false;
    }
    auto job = std::make_shared<Job>();
    job->done = std::move(done);
    m_job = job;
    std::weak_ptr<bool> alive = m_alive;
    if (progress) {
        std::weak_ptr<Job> running = job;
        job->query.SetProgress([this, alive, running, progress = std::move(progress)](uint32_t entries) {
            m_owner->CallAfter([this, alive, running, progress, entries] {
                if (!alive.lock()) {
                    return;
                }
                if (const std::shared_ptr<Job> job = running.lock(); job != nullptr && job == m_job) {
                    progress(entries);
                }
            });
        });
    }
    m_thread = std::thread([this, job, alive, work = std::move(work)] {
        work(job->query);
        // The owner's event queue is the only way back: the end is handled on the
        // user-interface thread between two other events, never inside one.
        m_owner->CallAfter([this, job, alive] {
            if (alive.lock()) {
                Finish(job);
            }
        });
    });
    return true;
}

void BackgroundQuery::Stop()
{
    if (m_job) {
        m_job->query.Stop();
    }
}

void BackgroundQuery::Cancel()
{
    if (!m_job) {
        return;
    }
    m_job->query.Stop();
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_job.reset();  // its queued end finds another job, or none, and does nothing
}

void BackgroundQuery::Finish(const std::shared_ptr<Job>& job)
{
    if (job != m_job) {
        return;  // cancelled meanwhile
    }
    if (m_thread.joinable()) {
        m_thread.join();  // it has only the return left to do
    }
    m_job.reset();
    job->done();
}
