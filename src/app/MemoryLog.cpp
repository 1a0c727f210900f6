#include "app/MemoryLog.h"

namespace velmora {

std::string MemoryLog::FileName(const LocalDateTime& now) {
    char name[32];
    std::snprintf(name, sizeof name, "Mem%2d%2d.log", now.month, now.day);
    return name;
}

bool MemoryLog::Open(const FileAccess& files, const LocalDateTime& now) {
    if (file_) return true;
    file_ = files.OpenAppend(files.RealPath(FileName(now)));
    if (!file_) return false;
    if (!openedThisRun_) {
        file_->Write("----------------------Program restarted\r\n"
                     "Time\tWindows\tStations\t Ptrs\t In use\t Free\tLoad\r\n");
        openedThisRun_ = true;
    }
    return true;
}

void MemoryLog::Close() {
    file_.reset();
}

void MemoryLog::Write(const MemorySample& s) {
    if (!file_) return;
    char line[160];
    std::snprintf(line, sizeof line, "%02d:%02d\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\r\n", s.hour, s.minute, s.windows,
                  s.stations, s.pointers, s.inUseKb, s.freeKb, s.load);
    file_->Write(line);
}

}  // namespace velmora
