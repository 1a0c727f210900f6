#pragma once
// A place found by a look-up (an airport, a zip code), marked on the maps
// where it is in view: a ringed cross and its name.
#include <string>

#include "maps/MapWindow.h"

namespace velmora {

class PlaceMarkLayer final : public MapLayer {
public:
    void Mark(GeoPoint at, std::string text) {
        at_ = at, text_ = std::move(text), on_ = true;
    }
    void Clear() { on_ = false; }
    bool On() const { return on_; }
    GeoPoint At() const { return at_; }
    const std::string& Text() const { return text_; }
    void DrawOver(Surface& s, const MapWindow& window) override;

private:
    bool on_ = false;
    GeoPoint at_;
    std::string text_;
};

}  // namespace velmora
