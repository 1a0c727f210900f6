#include "app/MemoryLog.h"

namespace velmora {

std::string MemoryLog::FileName(const LocalDateTime& now) {
    char name[32];
    std::snprintf(name, sizeof name, "Mem%2d%2d.log", now.month, now.day);
    return name;
}

bool MemoryLog::Open(const FileAccess& files, const LocalDateTime& now) {
    if (file_) return true;
    file_ = std::fopen(files.RealPath(FileName(now)).c_str(), "ab");
    if (!file_) return false;
    if (!openedThisRun_) {
        std::fputs("----------------------Program restarted\r\n", file_);
        std::fputs("Time\tWindows\tStations\t Ptrs\t In use\t Free\tLoad\r\n", file_);
        openedThisRun_ = true;
    }
    std::fflush(file_);
    return true;
}

void MemoryLog::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

void MemoryLog::Write(const MemorySample& s) {
    if (!file_) return;
    std::fprintf(file_, "%02d:%02d\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\r\n", s.hour, s.minute, s.windows, s.stations,
                 s.pointers, s.inUseKb, s.freeKb, s.load);
    std::fflush(file_);
}

}  // namespace velmora
