#pragma once
// What the machine says about memory and load, for the memory log.
#include <cstdint>

namespace velmora {

struct SystemMemory {
    long inUseKb = 0;  // this process's resident memory
    long freeKb = 0;   // memory the system has available
    long load = 0;     // one-minute load average, in hundredths
};

SystemMemory ReadSystemMemory();
// The installed memory of this machine, in bytes (0 when unknown).
uint64_t InstalledMemoryBytes();

}  // namespace velmora
