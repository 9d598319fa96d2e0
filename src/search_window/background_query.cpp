// background_query.cpp - BackgroundQuery: a worker thread per query, its end queued with CallAfter.
#include "search_window/background_query.h"

#include <atomic>
#include <mutex>

#include <wx/event.h>

#include "directory/directory_query.h"

namespace {

/// Worker threads that were left to end on their own and have not ended yet.
std::atomic<int> g_leftRunning{0};

}  // namespace

/** The query of one run and what to do when it has ended. */
struct BackgroundQuery::Job {
    DirectoryQuery query;
    std::function<void()> done;
};

/**
 * The way from a worker thread back to the window: the owner to queue events to, until the
 * BackgroundQuery lets its worker go. A worker that outlives its window finds no owner here and
 * touches nothing of it.
 */
struct BackgroundQuery::Link {
    explicit Link(wxEvtHandler* owner) : owner(owner) {}

    /// Queues call on the owner's thread; nothing once the worker was let go.
    void Queue(std::function<void()> call)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (owner != nullptr) {
            owner->CallAfter(std::move(call));
        }
    }
    void Cut()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        owner = nullptr;
    }

    std::mutex mutex;
    wxEvtHandler* owner;
};

BackgroundQuery::BackgroundQuery(wxEvtHandler* owner) : m_link(std::make_shared<Link>(owner)) {}

BackgroundQuery::~BackgroundQuery()
{
    Cancel();
    m_link->Cut();
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
    const std::shared_ptr<Link> link = m_link;
    if (progress) {
        std::weak_ptr<Job> running = job;
        job->query.SetProgress([this, link, alive, running, progress = std::move(progress)](uint32_t entries) {
            link->Queue([this, alive, running, progress, entries] {
                if (!alive.lock()) {
                    return;
                }
                if (const std::shared_ptr<Job> job = running.lock(); job != nullptr && job == m_job) {
                    progress(entries);
                }
            });
        });
    }
    m_thread = std::thread([this, job, link, alive, work = std::move(work)] {
        work(job->query);
        // The owner's event queue is the only way back: the end is handled on the
        // user-interface thread between two other events, never inside one.
        link->Queue([this, job, alive] {
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
    // A call of the client library may not end for a long time after the stop (a connect or a
    // handshake it waits for itself): the thread is not waited for. It keeps its job, and its end
    // finds another job, or none, and does nothing.
    if (m_thread.joinable()) {
        ++g_leftRunning;
        std::thread([worker = std::move(m_thread)]() mutable {
            worker.join();
            --g_leftRunning;
        }).detach();
    }
    m_job.reset();
}

bool BackgroundQuery::AnyLeftRunning()
{
    return g_leftRunning.load() > 0;
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
