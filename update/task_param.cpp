#include "update/task_param.h"

#include "text/spaces.h"

namespace velmora {

namespace {

constexpr int UpdateSetting1 = 4096;
constexpr int UpdateSetting11 = 1000;
constexpr int UpdateSetting6 = 1;
constexpr int UpdateConnectTimeLimitMs = 5000;
constexpr int UpdateSetting9 = 5000;
constexpr int UpdateStallTimeLimitMs = 10000;
constexpr int UpdateSetting12 = 512;

}

void PrepareUpdateTask(
    TaskParam& task, Text const& address, Text const& target_file, DownloadEventRoutine routine)
{
    task.address = TrimSpaces(address);
    task.target_file = target_file;
    task.setting_1 = UpdateSetting1;
    task.setting_11 = UpdateSetting11;
    task.setting_6 = UpdateSetting6;
    task.connect_time_limit_ms = UpdateConnectTimeLimitMs;
    task.setting_9 = UpdateSetting9;
    task.stall_time_limit_ms = UpdateStallTimeLimitMs;
    task.setting_12 = UpdateSetting12;
    task.event_routine = std::move(routine);
}

}
