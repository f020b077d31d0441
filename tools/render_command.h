#pragma once

#include "render_options.h"

// Exits 0 when the picture or the pages are written; 1 when IN or the
// background asked for cannot be read or OUT not written, which stays as it
// was; 2 for an extension that names no type trntool writes, or a map that
// takes too many pages at the scale asked for.
int Render(const TRenderRequest& Request);
