// background_query.h - one directory query at a time on a thread of its own, its end reported to
// the window through the toolkit's event queue.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

class DirectoryQuery;
class wxEvtHandler;

/**
 * Runs the directory work of a search or a details query off the user-interface thread, so the
 * window repaints, moves and answers its menus while the directory is asked. The work gets a
 * fresh DirectoryQuery and must touch no control; when it is done, done() runs on the
 * user-interface thread as an event queued to owner. Used on the user-interface thread only.
 */
class BackgroundQuery {
public:
    explicit BackgroundQuery(wxEvtHandler* owner);
    /// Cancels a running query; from then on its thread touches nothing of the owner.
    ~BackgroundQuery();
    BackgroundQuery(const BackgroundQuery&) = delete;
    BackgroundQuery& operator=(const BackgroundQuery&) = delete;

    /// Starts work on its thread; done follows on this thread once work has returned. False, and
    /// nothing starts, while another query runs. progress, when given, runs on this thread with
    /// the entries read so far each time the query reports them (see DirectoryQuery::SetProgress),
    /// until done.
    bool Start(std::function<void(DirectoryQuery&)> work, std::function<void()> done,
               std::function<void(uint32_t entries)> progress = {});
    /// True from Start until done has been called (or the query was cancelled).
    bool Running() const { return m_job != nullptr; }
    /// Asks the running query to stop at once; done still follows, with what had arrived.
    void Stop();
    /// Stops the running query and drops its done, without waiting for its thread: a call of the
    /// client library may hold it long after the stop, and it ends on its own.
    void Cancel();
    /// True while the thread of a cancelled query has not ended: the program that ends then
    /// ends at once rather than tear down what that thread may still use.
    static bool AnyLeftRunning();

private:
    struct Job;
    struct Link;

    void Finish(const std::shared_ptr<Job>& job);

    std::shared_ptr<Link> m_link;
    std::shared_ptr<Job> m_job;
    std::thread m_thread;
    /// Lets a queued end see whether this object still exists.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
