#include "export/disk_sync.h"

#include <unistd.h>

namespace velmora {

bool SyncToDisk(std::FILE* file)
{
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

}
