#pragma once
// The memory log of the "Memory Usage" window: "Mem%2d%2d.log" in the data
// folder, opened when the operator agrees, with a line per memory sample.
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/Files.h"

namespace velmora {

struct MemorySample {
    int16_t hour = 0, minute = 0;
    long windows = 0, stations = 0, pointers = 0, inUseKb = 0, freeKb = 0, load = 0;
};

// The last 512 samples, for the memory graph.
class MemorySamples {
public:
    static constexpr size_t kSize = 512;
    void Add(const MemorySample& s) {
        ring_[next_] = s;
        next_ = (next_ + 1) % kSize;
        if (count_ < kSize) ++count_;
    }
    size_t Count() const { return count_; }
    // Sample i, 0 the oldest kept.
    const MemorySample& At(size_t i) const { return ring_[(next_ + kSize - count_ + i) % kSize]; }

private:
    std::array<MemorySample, kSize> ring_{};
    size_t next_ = 0, count_ = 0;
};

class MemoryLog {
public:
    ~MemoryLog() { Close(); }
    // The file is named by the month and day of opening; the first opening
    // in a run marks the restart and writes the column titles.
    bool Open(const FileAccess& files, const LocalDateTime& now);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }
    void Write(const MemorySample& s);
    static std::string FileName(const LocalDateTime& now);

private:
    std::unique_ptr<FileWriter> file_;
    bool openedThisRun_ = false;
};

}  // namespace velmora
