#pragma once

#include <vector>

#include "geometry.h"
#include "map_view.h"

class TCanvas;

// Draws the path through the world positions Path over the map as a
// gesture shows what it has not made yet: dotted, each piece clipped to
// the window, the canvas's pen left as it was for the map's next drawing.
void DrawPathOverMap(TCanvas& Canvas, const TMapView& View,
                     const std::vector<TTrXY>& Path);
