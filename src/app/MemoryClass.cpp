#include "app/MemoryClass.h"

namespace velmora {

// The classic classes date from machines of a few megabytes. A machine of a
// gigabyte or more holds a full internet feed: tens of thousands of
// stations, within the 16-bit index the history buffer stores.
int MemoryClassFor(uint64_t installedBytes) {
    if (installedBytes >= (1ull << 30)) return 3;
    return installedBytes > 8000000 ? 2 : 1;
}

MemoryCapacities CapacitiesFor(int memoryClass) {
    if (memoryClass >= 3) return {50000, 4096, 100, 500, 16384000, 1000};
    if (memoryClass >= 2) return {2048, 1024, 100, 500, 1024000, 1000};
    return {1024, 512, 75, 128, 256000, 500};
}

}  // namespace velmora
