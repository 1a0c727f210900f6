#pragma once
// Every message heard and sent, in arrival order, used entries first.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "stations/FixedString.h"

namespace velmora {

enum class MessageKind : uint8_t {
    kNumbered = 0,
    kUnnumbered = 1,
    kBulletin = 2,
    kAnnouncement = 3,
    kNwsBulletin = 4,
    kDxSpot = 128,  // a " de " spot kept in the message list
};

struct MessageEntry {
    static constexpr uint8_t kInUse = 0x80;

    uint8_t state = 0;  // 0 free, 0x80 in use
    FixedString<8> number;
    uint8_t ackState = 0;
    uint8_t held = 0;
    uint8_t reackPending = 0;
    uint8_t outgoing = 0;
    MessageKind kind = MessageKind::kNumbered;
    int16_t seenCount = 0;
    int16_t transmitCount = 0;
    int32_t stationIndex = -1;  // tables hold more than 32,767 stations
    char port = '-';
    FixedString<12> from;
    FixedString<12> to;
    FixedString<131> text;
    int32_t gatedCount = 0;
    TimeStamp created = 0;
    TimeStamp ackedAt = 0;
    int32_t roundTrip = 0;
    TimeStamp lastSent = 0;
    TimeStamp expires = 0;
    FixedString<96> path;

    bool InUse() const { return state != 0; }
};

class MessageStore {
public:
    // Allocated once; a failed allocation is retried at half the size.
    explicit MessageStore(int32_t capacity);

    int32_t Capacity() const { return static_cast<int32_t>(entries_.size()); }
    int32_t Count() const { return used_; }
    const MessageEntry& At(int32_t i) const { return entries_[static_cast<size_t>(i)]; }
    MessageEntry& At(int32_t i) { return entries_[static_cast<size_t>(i)]; }

    // The next free entry, marked in use; -1 when the store is full.
    int32_t Add();
    void Clear();

    // A DX spot: an entry with the same three texts counts once more,
    // otherwise a new one is added with count 1. The entry, or -1 when full.
    int32_t AddDxSpot(std::string_view firstWord, std::string_view spotter, std::string_view text, TimeStamp now);

    // Station indices follow a compaction of the station table (-1: gone).
    void Renumber(const std::vector<int32_t>& remap) {
        for (int32_t i = 0; i < used_; ++i) {
            int32_t& s = entries_[static_cast<size_t>(i)].stationIndex;
            if (s >= 0) s = static_cast<size_t>(s) < remap.size() ? remap[static_cast<size_t>(s)] : -1;
        }
    }

private:
    std::vector<MessageEntry> entries_;
    int32_t used_ = 0;
};

}  // namespace velmora
