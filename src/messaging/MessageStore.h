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
    kNtsTraffic = 5,
    kRcmTraffic = 6,
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
    bool Waiting() const { return outgoing && ackState == kAckWaiting; }

    static constexpr uint8_t kAckWaiting = 0, kAcked = 1, kCancelled = 255;
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
    bool Full() const { return used_ >= Capacity(); }

    // The entry with these four texts; else the first free index; else the
    // capacity (the store is full).
    int32_t Find(std::string_view from, std::string_view to, std::string_view text, std::string_view number) const;

    // On overflow: keeps only what concerns this station (its own outgoing
    // entries, and messages to or from it), in order; if that is more than
    // half the store, the older half of it goes too (never an outgoing
    // message still waiting for its ack). Returns the first free index,
    // which is the capacity when only waiting messages remain.
    int32_t Compact(std::string_view ownCall);

    // A free entry for an outgoing message, marked in use: when the store is
    // full the four oldest entries are dropped first (never one still
    // waiting for its ack); -1 when every entry is such a one.
    int32_t AddDroppingOldest();

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
    void DropOldest(int32_t n);

    std::vector<MessageEntry> entries_;
    int32_t used_ = 0;
};

}  // namespace velmora
