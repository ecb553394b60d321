// The download component: a Download object runs one TaskParam task at a time on a thread
// of its own and reports through the task's event routine, called on that thread.
#pragma once

#include "update/task_param.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

namespace velmora {

// The event codes a task raises. The routine is called with the code, the task's number and
// the values below.
enum DownloadEventCode : int {
    DownloadStarted = 3, // the reply is good and its bytes begin; value: the total size, 0 when unknown
    DownloadFinished
    = 4, // the whole file is in the target: a 2xx reply, not empty, and as many bytes as announced
    DownloadFailed = 6, // no file: value holds the transfer's error or the reply's status
    DownloadProgress = 16, // more bytes arrived; value: the total size, detail: the bytes so far
};

enum class DownloadState {
    Idle, // no task was added
    Running,
    Finished, // the last task ended with DownloadFinished
    Failed, // the last task ended with DownloadFailed, or was stopped
};

// Only an http:// or https:// address with a host is fetched.
bool IsDownloadAddress(std::string_view address);

class Download {
public:
    Download();
    // Stops a running task and waits for its thread.
    ~Download();
    Download(Download const&) = delete;
    Download& operator=(Download const&) = delete;

    // Starts task on a thread of its own and returns at once. Refused (false) while a task
    // runs, and for an address that IsDownloadAddress does not accept.
    bool AddTask(TaskParam const& task);

    // The bytes of the running (or last) task written so far.
    std::int64_t BytesDone() const;
    DownloadState State() const;

    // Waits until no task runs or limit has passed; true when no task runs.
    bool WaitUntilEnded(std::chrono::milliseconds limit) const;

    // Asks a running task to stop; it ends as failed and removes its partial file.
    void Stop();

    struct Progress;

private:
    void JoinEndedTask();

    std::shared_ptr<Progress> m_progress;
    std::thread m_thread;
    int m_task_count {0};
};

}
