#pragma once
// Our APRS symbol pictures, drawn with the surface's own operations in a
// 16 x 16 box, so they stay sharp at any pixel density: vehicles, houses,
// weather, digipeaters, gateways, aircraft, boats, people and the rest by
// shape, and every other code as a coloured badge with its character. An
// overlay character is drawn on top, white on black.
#include <memory>
#include <unordered_map>

#include "maps/MapPainter.h"

namespace velmora {

class SymbolArt final : public SymbolArtist {
public:
    // The picture for (table, code) centred on a point. Each picture is
    // drawn once per density and stamped after that: a map of thousands of
    // stations costs thousands of stamps, not of drawings.
    void DrawSymbol(Surface& s, Point centre, char table, char code) override;
    // The picture drawn afresh, for a surface that keeps no layers.
    static void Paint(Surface& s, Point centre, char table, char code);

private:
    std::unordered_map<uint16_t, std::unique_ptr<Surface>> stamps_;
    double density_ = 0;
};

// Whether a table character carries an overlay (a letter or a digit).
inline bool IsOverlay(char table) {
    return (table >= '0' && table <= '9') || (table >= 'A' && table <= 'Z') || (table >= 'a' && table <= 'z');
}

}  // namespace velmora
