#include "trntool_commands.h"

#include <stdexcept>

const std::vector<TCommandSyntax>& TrntoolCommands() {
  static const std::vector<TCommandSyntax> commands{
      {"check",
       {"FILE..."},
       {},
       "Loads each FILE and prints \"FILE: ok (P points, T tracks, W walls, N "
       "trains)\"\nor \"FILE: MESSAGE\". Exits 1 if any failed.\n"},
      {"dump",
       {"FILE"},
       {},
       "Prints the loaded map, one object a line. When the load fails, prints "
       "what\nwas loaded, then the message on standard error, and exits 1.\n"},
      {"fmt",
       {"IN", "OUT"},
       {},
       "Loads IN and saves it to OUT. On a load error it prints the message, "
       "exits 1\nand leaves OUT alone.\n"},
      {"import",
       {"IN", "OUT"},
       {{"--railway", "KINDS",
         "the railway=* kinds that become track, by commas\n"
         "                      (rail when not given: "
         "rail,tram,light_rail,...)"},
        {"--buildings", "", "building=* ways become walls"},
        {"--crs", "CRS",
         "project to this system (EPSG:25832, ...); else a\n"
         "                      transverse Mercator centred on the data"},
        {"--origin", "X,Y",
         "the map's origin in the system's metres; else the\n"
         "                      centre of the data"}},
       "Imports OpenStreetMap XML (.osm) or PBF (.osm.pbf), Overpass JSON or "
       "GeoJSON\nLineStrings from IN into the map OUT. Shared nodes become "
       "points, three\nsegments a switch; crossings, gaps and what was "
       "dropped are printed as\n\"IN: text\". The projection is kept in "
       "OUT.projection. A failure leaves\nOUT as it was and exits 1.\n"},
      {"export",
       {"IN", "OUT"},
       {},
       "Writes the map IN to OUT: GeoJSON (.geojson), in longitude and "
       "latitude when\nIN.projection is beside it, else in the map's metres; "
       "or DXF (.dxf) in metres\nwith tracks and walls on layers of their "
       "own. A failure leaves OUT as it was.\n"},
      {"lint",
       {"FILE..."},
       {{"--min-radius", "METRES",
         "a bend of a smaller radius is a sharp-bend\n"
         "                       (0 to 1000000; 150 when not given)"}},
       "Prints what is probably a mistake in each FILE, one line each,\n"
       "\"FILE: KIND ID: text\". Exits 1 when it found any, 0 when none, 2 "
       "when a\nfile cannot be read.\n"},
      {"route",
       {"FILE", "TRAIN-INDEX"},
       {},
       "Prints the route of the train numbered TRAIN-INDEX (from 1, in the "
       "map's "
       "order):\nits length to a dead end, a loop or 100 km, then each switch "
       "it passes and\nhow. Exits 2 when FILE cannot be read or has no such "
       "train.\n"},
      {"path",
       {"FILE", "POINT-ID", "POINT-ID"},
       {},
       "Prints the shortest path a train can take from the first point to "
       "the\nsecond, through a switch only from its entry into a direction or "
       "back: its\nlength, then each switch and the direction it must be set "
       "to; or why there\nis none, with exit status 1. Exits 2 when FILE "
       "cannot be read or has no\nsuch point.\n"},
      {"render",
       {"IN", "OUT"},
       {{"--size", "WxH",
         "the picture's size in pixels, each side 1 to 16384\n"
         "                  (PNG, SVG); else 4096 on the long side"},
        {"--background", "", "draws the background picture kept beside IN"},
        {"--simplify", "",
         "leaves out crowded points and grid lines, as the\n"
         "                  editor's View > Simplify When Zoomed Out"},
        {"--scale", "N",
         "prints the map at 1:N over as many pages as it needs\n"
         "                  (PDF); else the whole map on one page"},
        {"--paper", "NAME", "A3, A4 (the default), A5, Letter or Legal (PDF)"},
        {"--landscape", "", "turns the paper (PDF)"}},
       "Draws the whole map of IN into OUT: a PNG or SVG picture, or PDF "
       "pages, by\nOUT's extension. Needs no display. A failure leaves OUT "
       "as it was.\n"},
  };
  return commands;
}

const TCommandSyntax& CommandSyntax(const std::string& Name) {
  for (const TCommandSyntax& syntax : TrntoolCommands()) {
    if (syntax.Name == Name) return syntax;
  }
  throw std::logic_error("no trntool command " + Name);
}

std::string TrntoolHelp() {
  std::string text =
      "usage: trntool COMMAND ARGUMENTS...\n\n"
      "Checks, prints, rewrites, checks for mistakes and draws train map "
      "files,\nand follows trains over them.\n\nCommands:\n";
  for (const TCommandSyntax& syntax : TrntoolCommands()) {
    text += "  " + CommandSynopsis(syntax) + '\n';
  }
  text +=
      "\n'trntool COMMAND --help' tells more of a command; 'trntool "
      "--version'\nprints the version.\n";
  return text;
}
