#include "tool_table.h"

#include "build_tool.h"
#include "curve_tool.h"
#include "measure_tool.h"
#include "path_tool.h"
#include "select_tool.h"

namespace {

const TToolRow kRows[] = {
    {TModeButton::spbCursor, "Select", TGlyph::Cursor, 5,
     [](TToolHost& Host) -> std::unique_ptr<TMapTool> {
       return std::make_unique<TSelectTool>(Host);
     }},
    {TModeButton::spbLine, "Build track", TGlyph::BuildTrack, 36,
     [](TToolHost& Host) -> std::unique_ptr<TMapTool> {
       return std::make_unique<TBuildTool>(Host, TBuildTool::TKind::Track);
     }},
    {TModeButton::spbBuild, "Build wall", TGlyph::BuildWall, 67,
     [](TToolHost& Host) -> std::unique_ptr<TMapTool> {
       return std::make_unique<TBuildTool>(Host, TBuildTool::TKind::Wall);
     }},
    {TModeButton::spbCurve, "Build curve", TGlyph::BuildCurve, 98,
     [](TToolHost& Host) -> std::unique_ptr<TMapTool> {
       return std::make_unique<TCurveTool>(Host);
     }},
    {TModeButton::spbMeasure, "Measure", TGlyph::Measure, 129,
     [](TToolHost& Host) -> std::unique_ptr<TMapTool> {
       return std::make_unique<TMeasureTool>(Host);
     }},
    {TModeButton::spbPath, "Find path", TGlyph::FindPath, 160,
     [](TToolHost& Host) -> std::unique_ptr<TMapTool> {
       return std::make_unique<TPathTool>(Host);
     }},
};

}  // namespace

std::span<const TToolRow> ToolRows() { return kRows; }
