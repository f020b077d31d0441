#pragma once

#include <string>
#include <variant>

#include "command_line.h"

// trntool render IN OUT [--size WxH] [--background] [--simplify]
// [--scale N] [--paper NAME] [--landscape]: the whole map of IN drawn into
// OUT, by its
// extension a PNG or SVG picture as the editor's export draws it (WxH
// pixels, or 4096 on the long side in the map's proportions) or PDF pages
// as the editor prints them (the whole map on one page, or at 1:N over as
// many pages as it needs). With --background, over the background picture
// kept beside IN, when there is one; with --simplify as the editor draws
// with View > Simplify When Zoomed Out.
struct TRenderRequest {
  std::string In;
  std::string Out;
  // Zero for the map's own proportions.
  int Width = 0;
  int Height = 0;
  bool Background = false;
  bool Simplify = false;
  // The N of 1:N; zero fits the map on one page.
  int Scale = 0;
  // As the user typed it; one of the names of kPaperNames in any case.
  std::string Paper = "A4";
  bool Landscape = false;
};

// The paper sizes PDF pages come in.
inline constexpr const char* kPaperNames[] = {"A3", "A4", "A5", "Letter",
                                              "Legal"};

// The request the arguments after "render" make, or what to print instead:
// its help, or the error of a bad command line. Options that do not suit
// OUT's type are errors too.
std::variant<TRenderRequest, TCommandExit> RenderRequest(int Count,
                                                         char** Args);

// Whether Name ends in ".pdf", in any case.
bool IsPdfName(const std::string& Name);
