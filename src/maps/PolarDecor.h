#pragma once
// What only the polar view draws: the globe as a disc on a dark ground
// (its edge is the antipode), and rings every 30 degrees of arc with their
// distances.
#include "maps/MapReadout.h"
#include "maps/MapView.h"

namespace velmora {

void DrawPolarGround(Surface& s, const MapView& view, Rgb globe, int width, int height);
void DrawPolarRings(Surface& s, const MapView& view, DistanceUnits units);

}  // namespace velmora
