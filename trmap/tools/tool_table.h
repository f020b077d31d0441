#pragma once

#include <memory>
#include <span>

#include "glyphs.h"
#include "map_tool.h"

// The tools the mode buttons choose between, in the order a press looks
// for the one whose button is down: the frame makes a button of each row,
// and every map window a tool. Adding a tool is a class and a row here.
struct TToolRow {
  TModeButton Button;
  const char* Hint;
  TGlyph Glyph;
  // The button's left edge on the tool bar's mode panel.
  int Left;
  std::unique_ptr<TMapTool> (*Make)(TToolHost& Host);
};

std::span<const TToolRow> ToolRows();
