#include "export/disk_sync.h"

#include <io.h>

namespace velmora {

bool SyncToDisk(std::FILE* file)
{
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

}
