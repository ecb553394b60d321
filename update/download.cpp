#include "update/download.h"

#include "app/program_file.h"
#include "text/marker_search.h"

#include <curl/curl.h>

#include <cstdio>
#include <filesystem>
#include <mutex>

namespace velmora {

namespace {

constexpr long MostRedirects = 5;
constexpr long StalledBelowBytesPerSecond = 1;
constexpr long MillisecondsPerSecond = 1000;
constexpr long FirstSuccessStatus = 200;
constexpr long LastSuccessStatus = 299;
constexpr std::string_view AllowedSchemes = "http,https";

bool IsSuccessStatus(long status)
{
    return status >= FirstSuccessStatus && status <= LastSuccessStatus;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void InitialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}

struct Download::Progress {
    std::atomic<std::int64_t> bytes_done {0};
    std::atomic<bool> stop_requested {false};
    mutable std::mutex mutex;
    mutable std::condition_variable ended;
    DownloadState state {DownloadState::Idle};

    void SetState(DownloadState new_state)
    {
        {
            std::lock_guard lock(mutex);
            state = new_state;
        }
        ended.notify_all();
    }
};

namespace {

// One transfer, run on the download thread.
class Transfer {
public:
    Transfer(TaskParam task, int number, std::shared_ptr<Download::Progress> progress)
        : m_task(std::move(task))
        , m_number(number)
        , m_progress(std::move(progress))
        , m_target(PathFromText(m_task.target_file))
    {
    }

    void Run()
    {
        long error_value = 0;
        bool const complete = Fetch(error_value);
        if (m_file) {
            bool const closed = std::fclose(m_file.release()) == 0;
            if (!closed && error_value == 0)
                error_value = CURLE_WRITE_ERROR;
        }
        if (complete && error_value == 0) {
            Raise(DownloadFinished, m_bytes, 0);
            m_progress->SetState(DownloadState::Finished);
            return;
        }
        // A failed, cut-off or error reply leaves no file that could be taken for the update,
        // not even one left from an earlier attempt.
        std::error_code ignored;
        std::filesystem::remove(m_target, ignored);
        Raise(DownloadFailed, error_value, m_bytes);
        m_progress->SetState(DownloadState::Failed);
    }

private:
    // True when the whole reply is in the file; otherwise error_value says why not.
    bool Fetch(long& error_value)
    {
        std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
        if (!curl) {
            error_value = CURLE_FAILED_INIT;
            return false;
        }
        m_curl = curl.get();
        CURL* handle = curl.get();
        curl_easy_setopt(handle, CURLOPT_URL, m_task.address.c_str());
        curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, AllowedSchemes.data());
        curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, AllowedSchemes.data());
        curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(handle, CURLOPT_MAXREDIRS, MostRedirects);
        curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_task.connect_time_limit_ms));
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, StalledBelowBytesPerSecond);
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME,
            std::max(1L, static_cast<long>(m_task.stall_time_limit_ms) / MillisecondsPerSecond));
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &Transfer::OnBytes);
        curl_easy_setopt(handle, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &Transfer::OnTick);
        curl_easy_setopt(handle, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);

        CURLcode const result = curl_easy_perform(handle);
        long status = 0;
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
        m_curl = nullptr;
        if (result != CURLE_OK) {
            error_value = m_status_refused ? status : static_cast<long>(result);
            return false;
        }
        if (!IsSuccessStatus(status)) {
            error_value = status;
            return false;
        }
        if (m_bytes == 0 || (m_announced > 0 && m_bytes != m_announced)) {
            error_value = CURLE_PARTIAL_FILE;
            return false;
        }
        return true;
    }

    // The first bytes of the reply: check it, open the target and announce the size.
    bool Begin()
    {
        long status = 0;
        curl_easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &status);
        if (!IsSuccessStatus(status)) {
            m_status_refused = true;
            return false;
        }
        curl_off_t length = -1;
        curl_easy_getinfo(m_curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        m_announced = length > 0 ? static_cast<std::int64_t>(length) : 0;
#ifdef _WIN32
        m_file.reset(_wfopen(m_target.c_str(), L"wb"));
#else
        m_file.reset(std::fopen(m_target.c_str(), "wb"));
#endif
        if (!m_file)
            return false;
        Raise(DownloadStarted, m_announced, 0);
        return true;
    }

    static size_t OnBytes(char* data, size_t size, size_t count, void* self_pointer)
    {
        auto& self = *static_cast<Transfer*>(self_pointer);
        size_t const length = size * count;
        if (self.m_progress->stop_requested)
            return 0;
        if (!self.m_file && !self.Begin())
            return 0;
        if (std::fwrite(data, 1, length, self.m_file.get()) != length)
            return 0;
        self.m_bytes += static_cast<std::int64_t>(length);
        self.m_progress->bytes_done = self.m_bytes;
        self.Raise(DownloadProgress, self.m_announced, self.m_bytes);
        return length;
    }

    static int OnTick(void* self_pointer, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        auto& self = *static_cast<Transfer*>(self_pointer);
        return self.m_progress->stop_requested ? 1 : 0;
    }

    void Raise(int code, std::int64_t value, std::int64_t detail)
    {
        if (m_task.event_routine)
            m_task.event_routine(code, m_number, value, detail, 0);
    }

    TaskParam m_task;
    int m_number;
    std::shared_ptr<Download::Progress> m_progress;
    std::filesystem::path m_target;
    CURL* m_curl {nullptr};
    std::unique_ptr<std::FILE, FileCloser> m_file;
    bool m_status_refused {false};
    std::int64_t m_bytes {0};
    std::int64_t m_announced {0};
};

}

bool IsDownloadAddress(std::string_view address)
{
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (address.size() > scheme.size()
            && FindMarkerIgnoringCase(address.substr(0, scheme.size()), scheme))
            return true;
    }
    return false;
}

Download::Download()
    : m_progress(std::make_shared<Progress>())
{
    InitialiseCurlOnce();
}

Download::~Download()
{
    Stop();
    if (m_thread.joinable())
        m_thread.join();
}

void Download::JoinEndedTask()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool Download::AddTask(TaskParam const& task)
{
    if (State() == DownloadState::Running || !IsDownloadAddress(task.address))
        return false;
    JoinEndedTask();
    m_progress->stop_requested = false;
    m_progress->bytes_done = 0;
    m_progress->SetState(DownloadState::Running);
    m_thread
        = std::thread([transfer = Transfer(task, ++m_task_count, m_progress)]() mutable { transfer.Run(); });
    return true;
}

std::int64_t Download::BytesDone() const
{
    return m_progress->bytes_done;
}

DownloadState Download::State() const
{
    std::lock_guard lock(m_progress->mutex);
    return m_progress->state;
}

bool Download::WaitUntilEnded(std::chrono::milliseconds limit) const
{
    std::unique_lock lock(m_progress->mutex);
    return m_progress->ended.wait_for(
        lock, limit, [&] { return m_progress->state != DownloadState::Running; });
}

void Download::Stop()
{
    m_progress->stop_requested = true;
}

}
