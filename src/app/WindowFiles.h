#pragma once
// The two files that keep the desktop between runs. "WinLoc.prf": where
// each kind of window was last placed, 100 entries of 528 bytes (class and
// list codes, rectangle, a private block). Window-configuration files
// ("Velmora.CFG"): a 512-byte header, then one record per open window; a
// map window's record carries its map and view. Both little-endian, written
// field by field, and written to a new file renamed over the old one.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "stations/FourCC.h"

namespace velmora {

struct WindowRect {
    int16_t top = 0, left = 0, bottom = 0, right = 0;
    bool operator==(const WindowRect&) const = default;
    bool Empty() const { return bottom <= top || right <= left; }
};

class WindowLocations {
public:
    static constexpr size_t kEntries = 100, kEntrySize = 528, kPrivateSize = 512;
    static constexpr const char* kFileName = "WinLoc.prf";

    void LoadBytes(std::string_view bytes);
    // The entries up to the first free one.
    std::string Bytes() const;
    bool Load(const FileAccess& files);
    // Only when something changed; true when nothing needed writing or the write worked.
    [[nodiscard]] bool Save(const FileAccess& files);

    // The entry of a kind of window; with create, the first free entry is
    // taken for a kind not yet kept. -1 for none (or a full file).
    int Find(FourCC windowClass, FourCC list, bool create);
    WindowRect Rect(int index) const;
    void SetRect(int index, const WindowRect& r);
    std::span<const uint8_t> Private(int index) const;
    void SetPrivate(int index, std::span<const uint8_t> block);
    void Reset();
    bool Changed() const { return changed_; }

private:
    struct Entry {
        FourCC windowClass = 0, list = 0;
        WindowRect rect;
        std::array<uint8_t, kPrivateSize> block{};
    };
    bool Valid(int index) const { return index >= 0 && size_t(index) < kEntries; }
    std::array<Entry, kEntries> entries_{};
    bool changed_ = false;
};

// One open window as a configuration file keeps it.
struct WindowRecord {
    FourCC windowClass = 0;   // "MAPW", "LIST", "GRPH", "WXMN"...
    FourCC list = 0;          // the list code; for map windows see mapKind
    int32_t mapKind = 0;      // map windows: 2, 3, 5, or another value for a map
    std::string mapFile;      // map windows: the map's file name
    int32_t viewLeft = 0, viewRight = 0, viewTop = 0, viewBottom = 0;
    WindowRect rect;
    bool movingMap = false, drawFollowed = false;
    std::string followedCall;
    bool operator==(const WindowRecord&) const = default;
};

constexpr FourCC kClassMap = MakeFourCC("MAPW");
constexpr FourCC kClassList = MakeFourCC("LIST");
constexpr FourCC kClassGraph = MakeFourCC("GRPH");
constexpr FourCC kClassWeather = MakeFourCC("WXMN");
constexpr int32_t kMapWindowWithMap = 1;
// A polar map window: its record keeps the centre in the view's left and
// top fields and the zoom in the right one (the view rectangle of a polar
// window is only what its disc reaches).
constexpr int32_t kMapWindowPolar = 6;

struct WindowConfig {
    static constexpr size_t kHeader = 512, kRecord = 1024;
    static constexpr const char* kDefaultName = "Velmora.CFG";
    enum class Status : uint8_t { kRead, kInvalid, kIncompatible };
    Status status = Status::kRead;
    std::vector<WindowRecord> records;
};

std::string WindowConfigBytes(const std::vector<WindowRecord>& records);
WindowConfig ParseWindowConfig(std::string_view bytes);

// What a record brings back.
enum class RestoredWindow : uint8_t { kNone, kEmptyMap, kImageMap, kMap, kPolarMap, kList, kWeatherChart, kGpsDisplay, kWeatherDisplay, kUnknown };
RestoredWindow RestoredKind(const WindowRecord& r);

}  // namespace velmora
