#pragma once
// A user grid: an area ("UserGrid.GRD": two magic numbers, then west,
// east, north, south as little-endian i32 at 8-20) cut into 20 x 20 cells,
// whose centres become 400 named points, "A01" in the north-west corner to
// "T20" in the south-east.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "maps/MapWindow.h"

namespace velmora {

struct UserGridPoint {
    std::string name;
    int32_t lon = 0, lat = 0;
};

enum class UserGridStatus { kLoaded, kInvalid, kEmptyArea };

struct UserGrid {
    static constexpr const char* kFileName = "UserGrid.GRD";
    static constexpr size_t kFileBytes = 536;
    GeoRect area;
    std::vector<UserGridPoint> points;
};

// The grid a file holds. kInvalid: not a user grid ("Invalid User Grid
// file"); kEmptyArea: west not below east or north not below south (the
// file is ignored).
UserGridStatus ParseUserGrid(std::string_view bytes, UserGrid& grid);

class UserGridLayer final : public MapLayer {
public:
    void Set(UserGrid grid) { grid_ = std::move(grid); }
    void Clear() { grid_ = {}; }
    const UserGrid& Grid() const { return grid_; }
    void DrawOver(Surface& s, const MapWindow& window) override;

private:
    UserGrid grid_;
};

}  // namespace velmora
