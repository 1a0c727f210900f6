#pragma once
// Every received line in arrival order, in one byte buffer allocated once.
// Records lie back to back: class (top bit set), kind, station index (high
// byte first), time stamp (low byte first), the line and a NUL. When the
// buffer nears full, the older half is dropped at a record boundary.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "stations/SourceKind.h"

namespace velmora {

struct HistoryRecord {
    uint8_t packetClass;
    SourceKind kind;
    int32_t index;  // -1: no station
    TimeStamp time;
    std::string_view line;
};

class HistoryBuffer {
public:
    static constexpr int32_t kMinimumCapacity = 10000;
    static constexpr size_t kHeaderBytes = 8;
    static constexpr size_t kHeadroom = 1024;  // trimming starts this close to full

    // On allocation failure the capacity is halved while above 10,000.
    explicit HistoryBuffer(int32_t capacity);

    enum class Appended : uint8_t { kNone, kGrew, kTrimmedAndGrew };
    // Appends one line; kNone when the buffer does not exist.
    Appended Append(std::string_view line, int32_t index, uint16_t packetClass, SourceKind kind, TimeStamp now);

    // Every record in buffer order. A byte with the top bit set inside a
    // line's text may be taken for a record start; nothing is read past
    // the length whatever the contents.
    void ForEach(const std::function<void(const HistoryRecord&)>& visit) const;
    // The lines of one station, in buffer order.
    std::vector<std::string_view> LinesOf(int32_t index) const;

    // After the station table was compacted: each record's index becomes
    // its new one, or "no station" for a removed station.
    void Renumber(const std::vector<int32_t>& remap);

    size_t Capacity() const { return bytes_.size(); }
    size_t Length() const { return length_; }
    void Clear() { length_ = 0; }

private:
    void Trim();

    std::vector<uint8_t> bytes_;
    size_t length_ = 0;
};

}  // namespace velmora
