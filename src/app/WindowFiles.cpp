#include "app/WindowFiles.h"

#include <algorithm>

namespace velmora {
namespace {

void Put16(std::string& out, size_t at, int32_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, size_t at, int32_t v) {
    for (size_t i = 0; i < 4; ++i) out[at + i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
}
void PutCode(std::string& out, size_t at, FourCC code) {
    for (size_t i = 0; i < 4; ++i) out[at + i] = static_cast<char>((code >> (24 - 8 * i)) & 0xFF);
}
void PutText(std::string& out, size_t at, size_t width, std::string_view text) {
    const size_t n = std::min(text.size(), width - 1);  // always NUL-ended
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), out.begin() + static_cast<std::ptrdiff_t>(at));
}

uint8_t Byte(std::string_view in, size_t at) { return at < in.size() ? static_cast<uint8_t>(in[at]) : 0; }
int16_t Get16(std::string_view in, size_t at) { return static_cast<int16_t>(Byte(in, at) | Byte(in, at + 1) << 8); }
int32_t Get32(std::string_view in, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Byte(in, at + i)) << (8 * i);
    return static_cast<int32_t>(v);
}
FourCC GetCode(std::string_view in, size_t at) {
    return static_cast<FourCC>(Byte(in, at)) << 24 | static_cast<FourCC>(Byte(in, at + 1)) << 16 |
           static_cast<FourCC>(Byte(in, at + 2)) << 8 | Byte(in, at + 3);
}
std::string GetText(std::string_view in, size_t at, size_t width) {
    std::string text;
    for (size_t i = at; i < at + width && i < in.size() && in[i] != '\0'; ++i) text += in[i];
    return text;
}

void PutRect(std::string& out, size_t at, const WindowRect& r) {
    Put16(out, at, r.top), Put16(out, at + 2, r.left), Put16(out, at + 4, r.bottom), Put16(out, at + 6, r.right);
}
WindowRect GetRect(std::string_view in, size_t at) { return {Get16(in, at), Get16(in, at + 2), Get16(in, at + 4), Get16(in, at + 6)}; }

constexpr size_t kMapFileWidth = 128, kCallWidth = 32;

}  // namespace

void WindowLocations::LoadBytes(std::string_view bytes) {
    entries_ = {};
    for (size_t i = 0; i < kEntries && (i + 1) * kEntrySize <= bytes.size(); ++i) {
        const std::string_view e = bytes.substr(i * kEntrySize, kEntrySize);
        Entry& entry = entries_[i];
        entry.windowClass = GetCode(e, 0);
        entry.list = GetCode(e, 4);
        entry.rect = GetRect(e, 8);
        std::copy(e.begin() + 16, e.end(), entry.block.begin());
    }
    changed_ = false;
}

std::string WindowLocations::Bytes() const {
    std::string out;
    for (const Entry& e : entries_) {
        if (e.windowClass == 0 && e.list == 0) break;  // a free entry ends the file
        std::string bytes(kEntrySize, '\0');
        PutCode(bytes, 0, e.windowClass);
        PutCode(bytes, 4, e.list);
        PutRect(bytes, 8, e.rect);
        std::copy(e.block.begin(), e.block.end(), bytes.begin() + 16);
        out += bytes;
    }
    return out;
}

bool WindowLocations::Load(const FileAccess& files) {
    const auto bytes = files.ReadWhole(files.RealPath(kFileName), kEntries * kEntrySize);
    if (!bytes) return false;
    LoadBytes(*bytes);
    return true;
}

bool WindowLocations::Save(const FileAccess& files) {
    if (!changed_) return true;
    if (!files.WriteWhole(files.RealPath(kFileName), Bytes())) return false;
    changed_ = false;
    return true;
}

int WindowLocations::Find(FourCC windowClass, FourCC list, bool create) {
    for (size_t i = 0; i < kEntries; ++i)
        if (entries_[i].windowClass == windowClass && entries_[i].list == list) return static_cast<int>(i);
    if (!create) return -1;
    for (size_t i = 0; i < kEntries; ++i) {
        if (entries_[i].windowClass != 0 || entries_[i].list != 0) continue;
        entries_[i].windowClass = windowClass;
        entries_[i].list = list;
        changed_ = true;
        return static_cast<int>(i);
    }
    return -1;  // full: this kind keeps no location
}

WindowRect WindowLocations::Rect(int index) const { return Valid(index) ? entries_[size_t(index)].rect : WindowRect{}; }

void WindowLocations::SetRect(int index, const WindowRect& r) {
    if (!Valid(index)) return;
    entries_[size_t(index)].rect = r;
    changed_ = true;
}

std::span<const uint8_t> WindowLocations::Private(int index) const {
    if (!Valid(index)) return {};
    return entries_[size_t(index)].block;
}

void WindowLocations::SetPrivate(int index, std::span<const uint8_t> block) {
    if (!Valid(index)) return;
    auto& b = entries_[size_t(index)].block;
    b.fill(0);
    std::copy_n(block.begin(), std::min(block.size(), b.size()), b.begin());
    changed_ = true;
}

void WindowLocations::Reset() {
    entries_ = {};
    changed_ = true;
}

std::string WindowConfigBytes(const std::vector<WindowRecord>& records) {
    std::string out(WindowConfig::kHeader, '\0');
    Put32(out, 0, 0x434F4E46);  // "FNOC"
    Put32(out, 4, 4);
    Put32(out, 8, 2), Put32(out, 12, 2), Put32(out, 16, 8);
    Put32(out, 24, static_cast<int32_t>(WindowConfig::kRecord));
    for (const WindowRecord& r : records) {
        std::string rec(WindowConfig::kRecord, '\0');
        PutCode(rec, 0, r.windowClass);
        if (r.windowClass == kClassMap) {
            Put32(rec, 4, r.mapKind);
            PutText(rec, 8, kMapFileWidth, r.mapFile);
            Put32(rec, 136, r.viewLeft), Put32(rec, 140, r.viewRight), Put32(rec, 144, r.viewTop), Put32(rec, 148, r.viewBottom);
            rec[424] = r.movingMap ? 1 : 0;
            rec[425] = r.drawFollowed ? 1 : 0;
            PutText(rec, 426, kCallWidth, r.followedCall);
        } else {
            PutCode(rec, 4, r.list);
        }
        PutRect(rec, 152, r.rect);
        out += rec;
    }
    return out;
}

WindowConfig ParseWindowConfig(std::string_view bytes) {
    WindowConfig c;
    if (bytes.size() < WindowConfig::kHeader || Get32(bytes, 0) != 0x434F4E46) {
        c.status = WindowConfig::Status::kInvalid;
        return c;
    }
    int32_t size = Get32(bytes, 24);
    if (size != 512 && size != 1024) size = 1024;
    const size_t recordSize = static_cast<size_t>(size);
    const size_t count = (bytes.size() - WindowConfig::kHeader) / recordSize;
    if (count == 0) return c;
    const int32_t version = Get32(bytes, 4);
    if (version != 3 && version != 4) {
        c.status = WindowConfig::Status::kIncompatible;
        return c;
    }
    for (size_t i = 0; i < count; ++i) {
        const std::string_view rec = bytes.substr(WindowConfig::kHeader + i * recordSize, recordSize);
        WindowRecord r;
        r.windowClass = GetCode(rec, 0);
        if (r.windowClass == kClassMap) {
            r.mapKind = Get32(rec, 4);
            r.mapFile = GetText(rec, 8, kMapFileWidth);
            r.viewLeft = Get32(rec, 136), r.viewRight = Get32(rec, 140), r.viewTop = Get32(rec, 144), r.viewBottom = Get32(rec, 148);
            r.movingMap = Byte(rec, 424) != 0;
            r.drawFollowed = Byte(rec, 425) != 0;
            r.followedCall = GetText(rec, 426, kCallWidth);
        } else {
            r.list = GetCode(rec, 4);
        }
        r.rect = GetRect(rec, 152);
        c.records.push_back(std::move(r));
    }
    return c;
}

RestoredWindow RestoredKind(const WindowRecord& r) {
    if (r.windowClass == kClassMap) {
        switch (r.mapKind) {
            case 2: return RestoredWindow::kEmptyMap;
            case 3: return RestoredWindow::kImageMap;
            case 5: return RestoredWindow::kNone;
            case kMapWindowPolar: return RestoredWindow::kPolarMap;
            default: return RestoredWindow::kMap;
        }
    }
    // Every list this program has comes back; one it does not know is the
    // caller's "Config not finished".
    if (r.windowClass == kClassList) return RestoredWindow::kList;
    if (r.windowClass == kClassGraph && r.list == MakeFourCC("WXCG")) return RestoredWindow::kWeatherChart;
    if (r.windowClass == kClassGraph && r.list == MakeFourCC("NMEA")) return RestoredWindow::kGpsDisplay;
    if (r.windowClass == kClassWeather) return RestoredWindow::kWeatherDisplay;
    if (r.windowClass == MakeFourCC("DLOG") || r.windowClass == MakeFourCC("TERM") || r.windowClass == MakeFourCC("TEXT"))
        return RestoredWindow::kNone;
    return RestoredWindow::kUnknown;
}

}  // namespace velmora
