#include "platform/SystemInfo.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

namespace velmora {

SystemMemory ReadSystemMemory() {
    SystemMemory m;
    const long page = sysconf(_SC_PAGE_SIZE);
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        long size = 0, resident = 0;
        if (std::fscanf(f, "%ld %ld", &size, &resident) == 2 && page > 0) m.inUseKb = resident * (page / 1024);
        std::fclose(f);
    }
    const long avail = sysconf(_SC_AVPHYS_PAGES);
    if (avail > 0 && page > 0) m.freeKb = avail * (page / 1024);
    double load[1] = {0};
    if (getloadavg(load, 1) == 1) m.load = static_cast<long>(load[0] * 100);
    return m;
}

uint64_t InstalledMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long size = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && size > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(size) : 0;
}

}  // namespace velmora
