#include "app/MemoryClass.h"

namespace velmora {

int MemoryClassFor(uint64_t installedBytes) { return installedBytes > 8000000 ? 2 : 1; }

MemoryCapacities CapacitiesFor(int memoryClass) {
    if (memoryClass >= 2) return {2048, 1024, 100, 500, 1024000, 1000};
    return {1024, 512, 75, 128, 256000, 500};
}

}  // namespace velmora
