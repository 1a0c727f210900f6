#include "messaging/MessageStore.h"

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
