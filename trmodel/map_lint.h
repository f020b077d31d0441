#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TTrainStructureSV;

// What a check of a map reports: places that are probably mistakes, and a
// count of dead ends. The kinds are in the alphabetical order of their
// names, which is the order of a report.
enum class TLintKind {
  // A point without lines.
  BarePoint,
  // How many track end points have one line: no mistake by itself.
  DeadEnds,
  // Two trains standing on the same stretch of track.
  Overlap,
  // A point where a train going on from one track to the next takes a bend
  // of a radius below the minimum.
  SharpBend,
  // An end point with one line lying within 0.5 m of another point of the
  // same kind (track or wall) that no line joins it to.
  Unjoined,
  // A line whose two points lie at the same place.
  ZeroLength,
};

struct TLintFinding {
  TLintKind Kind;
  // What it is about: a point (BarePoint, SharpBend, Unjoined) or a line
  // (Overlap, ZeroLength) by its identifier; for DeadEnds the count.
  int64_t Id;
  std::string Text;

  bool operator==(const TLintFinding&) const = default;
};

// "bare-point", "dead-ends", "overlap", "sharp-bend", "unjoined" or
// "zero-length".
const char* LintKindName(TLintKind Kind);

// The finding as a report shows it after the file's name: "KIND ID: text".
std::string LintLine(const TLintFinding& Finding);

// Every finding but the count of dead ends is a problem.
inline bool IsProblem(const TLintFinding& Finding) {
  return Finding.Kind != TLintKind::DeadEnds;
}

struct TLintOptions {
  // Metres: a bend whose radius is smaller is sharp.
  double MinRadius = 150.0;
};

// Checks Map, looking up neighbours through its spatial index. The findings
// come sorted by kind, then identifier; the count of dead ends only when
// there is one.
std::vector<TLintFinding> LintMap(const TTrainStructureSV& Map,
                                  const TLintOptions& Options = {});
