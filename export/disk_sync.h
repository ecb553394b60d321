// Making the bytes written to a file reach the disk before it replaces another file.
#pragma once

#include <cstdio>

namespace velmora {

// Flushes the stream and asks the system to write the file's data to the disk.
bool SyncToDisk(std::FILE* file);

}
