#pragma once

#include <optional>

class TTrPoint;

// The shortest distance a train travels along track from From to To,
// following the links as a train does (through a switch from its entry to
// either direction and back, never from one direction to the other); none
// when no track leads there.
std::optional<double> AlongTrackDistance(const TTrPoint& From,
                                         const TTrPoint& To);
