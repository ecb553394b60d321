// The task record of the download component: twenty members in their fixed order, with
// the values they hold at start-up.
#pragma once

#include "text/gbk.h"

#include <cstdint>
#include <functional>

namespace velmora {

// The routine a task reports through: the event code and four values. For event 3 the
// third argument (value) is the total size in bytes. The answer is read by nobody.
using DownloadEventRoutine = std::function<int(
    int code, std::int64_t task, std::int64_t value, std::int64_t detail, std::int64_t spare)>;

// Members marked "carried" are kept with their values for the component's callers, and the
// transfer does not act on them.
struct TaskParam {
    int setting_1 {1}; // 1, carried
    Text address; // 2: the file to fetch, http:// or https://
    Text target_file; // 3: where the bytes are written
    Text login_name {"anonymous"}; // 4, carried (servers that ask for a login)
    Text login_password {"velmora@localhost"}; // 5, carried
    int setting_6 {1}; // 6, carried
    int setting_7 {0}; // 7, carried
    int connect_time_limit_ms {20000}; // 8: the longest wait for the connection
    int setting_9 {20000}; // 9, carried
    int stall_time_limit_ms {20000}; // 10: the transfer fails when no byte arrives for this long
    int setting_11 {1000}; // 11, carried
    int setting_12 {20480}; // 12, carried
    int setting_13 {1024}; // 13, carried
    int setting_14 {0}; // 14, carried
    DownloadEventRoutine event_routine; // 15
    Text setting_16; // 16, carried
    int setting_17 {1}; // 17, carried
    Text file_extensions {".exe|.rar|.zip|.gif|.jpg|.mp3|.rm"}; // 18, carried
    Text setting_19; // 19, carried
    Text setting_20; // 20, carried
};

// Sets the members of the update download: the trimmed address, the target file, the time
// limits and sizes, and the event routine.
void PrepareUpdateTask(
    TaskParam& task, Text const& address, Text const& target_file, DownloadEventRoutine routine);

}
