#pragma once

#include <optional>
#include <string>

// trntool render IN OUT [--size WxH] [--background]: the whole map of IN
// drawn into the picture OUT, PNG or SVG by OUT's extension, as the
// editor's export draws it; WxH pixels, or 4096 on the long side in the
// map's proportions. With --background, over the background picture kept
// beside IN, when there is one.
struct TRenderRequest {
  std::string In;
  std::string Out;
  // Zero for the map's own proportions.
  int Width = 0;
  int Height = 0;
  bool Background = false;
};

// The request the arguments after "render" make; none when they make none.
std::optional<TRenderRequest> RenderRequest(int Count, char** Args);

// Exits 0 when the picture is written; 1 when IN or the background asked
// for cannot be read or OUT not written, which stays as it was; 2 for an
// extension that names no known picture type.
int Render(const TRenderRequest& Request);
