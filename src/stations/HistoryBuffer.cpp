#include "stations/HistoryBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace velmora {

HistoryBuffer::HistoryBuffer(int32_t capacity) {
    for (;;) {
        try {
            bytes_.assign(static_cast<size_t>(capacity > 0 ? capacity : 0), 0);
            return;
        } catch (const std::bad_alloc&) {
            if (capacity <= kMinimumCapacity) return;
            capacity /= 2;
        }
    }
}

// Drops the older half: the first place from the middle where eight text
// bytes and a NUL are followed by a record start.
void HistoryBuffer::Trim() {
    const uint8_t* b = bytes_.data();
    for (size_t i = bytes_.size() / 2; i + 9 < length_; ++i) {
        bool text = true;
        for (size_t k = i; k < i + 8 && text; ++k) text = b[k] != 0;
        if (text && b[i + 8] == 0 && b[i + 9] >= 128 && b[i + 9] <= 163) {
            std::memmove(bytes_.data(), b + i + 9, length_ - (i + 9));
            length_ -= i + 9;
            return;
        }
    }
    length_ = 0;  // no boundary found: start afresh rather than overflow
}

HistoryBuffer::Appended HistoryBuffer::Append(std::string_view line, int32_t index, uint16_t packetClass,
                                              SourceKind kind, TimeStamp now) {
    if (bytes_.empty()) return Appended::kNone;
    Appended result = Appended::kGrew;
    if (length_ > bytes_.size() - kHeadroom) {
        Trim();
        result = Appended::kTrimmedAndGrew;
    }
    // A line never holds a NUL; cut it so a record always fits the headroom.
    line = line.substr(0, std::min(line.find('\0'), kHeadroom - kHeaderBytes - 1));
    const uint16_t stored = index < 0 || index > 0xFFFE ? 0xFFFF : static_cast<uint16_t>(index);
    uint8_t* p = bytes_.data() + length_;
    p[0] = static_cast<uint8_t>(packetClass < 128 ? 128 : packetClass > 255 ? 255 : packetClass);
    p[1] = static_cast<uint8_t>(kind);
    p[2] = static_cast<uint8_t>(stored >> 8);
    p[3] = static_cast<uint8_t>(stored);
    for (int k = 0; k < 4; ++k) p[4 + k] = static_cast<uint8_t>(now >> (8 * k));
    std::memcpy(p + kHeaderBytes, line.data(), line.size());
    p[kHeaderBytes + line.size()] = 0;
    length_ += kHeaderBytes + line.size() + 1;
    return result;
}

void HistoryBuffer::ForEach(const std::function<void(const HistoryRecord&)>& visit) const {
    const uint8_t* b = bytes_.data();
    size_t p = 0;
    while (p < length_) {
        if (!(b[p] & 0x80) || p + kHeaderBytes > length_) {
            ++p;  // not a record start: look further
            continue;
        }
        HistoryRecord r;
        r.packetClass = b[p];
        r.kind = SourceKindFromChar(static_cast<char>(b[p + 1]));
        // 0xFFFF is "no station"; every other value is an index, so tables
        // larger than 32,767 stations keep distinct indices.
        const int32_t stored = b[p + 2] << 8 | b[p + 3];
        r.index = stored == 0xFFFF ? -1 : stored;
        r.time = static_cast<TimeStamp>(b[p + 4]) | static_cast<TimeStamp>(b[p + 5]) << 8 |
                 static_cast<TimeStamp>(b[p + 6]) << 16 | static_cast<TimeStamp>(b[p + 7]) << 24;
        const size_t start = p + kHeaderBytes;
        size_t end = start;
        while (end < length_ && b[end] != 0) ++end;
        r.line = std::string_view(reinterpret_cast<const char*>(b + start), end - start);
        visit(r);
        p = end + 1;
    }
}

void HistoryBuffer::Renumber(const std::vector<int32_t>& remap) {
    uint8_t* b = bytes_.data();
    size_t p = 0;
    while (p < length_) {
        if (!(b[p] & 0x80) || p + kHeaderBytes > length_) {
            ++p;
            continue;
        }
        const int32_t stored = b[p + 2] << 8 | b[p + 3];
        if (stored != 0xFFFF) {
            const int32_t now = static_cast<size_t>(stored) < remap.size() ? remap[static_cast<size_t>(stored)] : -1;
            const uint16_t v = now < 0 ? 0xFFFF : static_cast<uint16_t>(now);
            b[p + 2] = static_cast<uint8_t>(v >> 8);
            b[p + 3] = static_cast<uint8_t>(v);
        }
        size_t end = p + kHeaderBytes;
        while (end < length_ && b[end] != 0) ++end;
        p = end + 1;
    }
}

std::vector<std::string_view> HistoryBuffer::LinesOf(int32_t index) const {
    std::vector<std::string_view> out;
    const int32_t wanted = index < 0 ? -1 : index;
    ForEach([&](const HistoryRecord& r) {
        if (r.index == wanted) out.push_back(r.line);
    });
    return out;
}

}  // namespace velmora
