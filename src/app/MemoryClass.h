#pragma once
// Table capacities fixed by the memory class chosen at start-up.
#include <cstdint>

namespace velmora {

struct MemoryCapacities {
    int32_t stationTable;
    int32_t messageStore;
    int32_t waypointTable;  // 82-byte waypoint and DX entries
    int32_t fourthTable;
    int32_t historyBytes;
    int32_t sixthTable;
};

// Class 3 from a gigabyte of memory, class 2 above 8,000,000 bytes, else 1.
int MemoryClassFor(uint64_t installedBytes);
MemoryCapacities CapacitiesFor(int memoryClass);

}  // namespace velmora
