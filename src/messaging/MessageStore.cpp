#include "messaging/MessageStore.h"

#include <algorithm>
#include <new>

namespace velmora {

MessageStore::MessageStore(int32_t capacity) {
    if (capacity < 1) capacity = 1;
    for (;;) {
        try {
            entries_.resize(static_cast<size_t>(capacity));
            return;
        } catch (const std::bad_alloc&) {
            if (capacity <= 1) return;
            capacity /= 2;
        }
    }
}

int32_t MessageStore::Add() {
    if (used_ >= Capacity()) return -1;
    MessageEntry& e = entries_[static_cast<size_t>(used_)];
    e = MessageEntry{};
    e.state = MessageEntry::kInUse;
    return used_++;
}

int32_t MessageStore::Find(std::string_view from, std::string_view to, std::string_view text,
                           std::string_view number) const {
    for (int32_t i = 0; i < used_; ++i) {
        const MessageEntry& e = entries_[static_cast<size_t>(i)];
        if (e.from == from && e.to == to && e.text == text && e.number == number) return i;
    }
    return used_;  // the capacity when full
}

int32_t MessageStore::Compact(std::string_view ownCall) {
    int32_t kept = 0;
    for (int32_t i = 0; i < used_; ++i) {
        MessageEntry& e = entries_[static_cast<size_t>(i)];
        if (!(e.outgoing || e.to == ownCall || e.from == ownCall)) continue;
        if (i != kept) entries_[static_cast<size_t>(kept)] = e;
        ++kept;
    }
    for (int32_t i = kept; i < used_; ++i) entries_[static_cast<size_t>(i)] = MessageEntry{};
    used_ = kept;
    if (kept > Capacity() / 2) DropOldest(kept / 2);
    return used_;
}

// Drops the n oldest entries, taking received ones first, then finished
// outgoing ones; an outgoing message still waiting for its ack is never
// dropped, so the operator's queue survives a flood.
void MessageStore::DropOldest(int32_t n) {
    std::vector<bool> drop(static_cast<size_t>(used_), false);
    int32_t chosen = 0;
    for (int pass = 0; pass < 2 && chosen < n; ++pass) {
        for (int32_t i = 0; i < used_ && chosen < n; ++i) {
            const MessageEntry& e = entries_[static_cast<size_t>(i)];
            const bool candidate = pass == 0 ? !e.outgoing : e.outgoing && !e.Waiting();
            if (candidate && !drop[static_cast<size_t>(i)]) drop[static_cast<size_t>(i)] = true, ++chosen;
        }
    }
    int32_t to = 0;
    for (int32_t i = 0; i < used_; ++i) {
        if (drop[static_cast<size_t>(i)]) continue;
        if (i != to) entries_[static_cast<size_t>(to)] = entries_[static_cast<size_t>(i)];
        ++to;
    }
    for (int32_t i = to; i < used_; ++i) entries_[static_cast<size_t>(i)] = MessageEntry{};
    used_ = to;
}

int32_t MessageStore::AddDroppingOldest() {
    if (Full()) DropOldest(4);
    return Add();
}

void MessageStore::Clear() {
    for (int32_t i = 0; i < used_; ++i) entries_[static_cast<size_t>(i)] = MessageEntry{};
    used_ = 0;
}

int32_t MessageStore::AddDxSpot(std::string_view firstWord, std::string_view spotter, std::string_view text,
                                TimeStamp now) {
    const FixedString<12> to(firstWord), from(spotter);
    const FixedString<131> body(text);
    for (int32_t i = 0; i < used_; ++i) {
        MessageEntry& e = entries_[static_cast<size_t>(i)];
        if (e.kind == MessageKind::kDxSpot && e.to == to && e.from == from && e.text == body) {
            if (e.seenCount < 32767) ++e.seenCount;
            return i;
        }
    }
    const int32_t i = Add();
    if (i < 0) return -1;
    MessageEntry& e = entries_[static_cast<size_t>(i)];
    e.kind = MessageKind::kDxSpot;
    e.to = to;
    e.from = from;
    e.text = body;
    e.seenCount = 1;
    e.created = now;
    return i;
}

}  // namespace velmora
