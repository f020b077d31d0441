#include "route_text.h"

#include <cstdio>

namespace {

std::string Format(const char* Pattern, auto... Values) {
  char text[200];
  std::snprintf(text, sizeof text, Pattern, Values...);
  return text;
}

const char* RouteWay(TSwitchWay Way) {
  switch (Way) {
    case TSwitchWay::Default:
      return "takes the default direction";
    case TSwitchWay::Other:
      return "takes the other direction";
    case TSwitchWay::FromDefault:
      return "comes in from the default direction";
    case TSwitchWay::FromOther:
      return "comes in from the other direction";
  }
  return "";
}

// What a switch must be set to for the train to pass.
const char* PathWay(TSwitchWay Way) {
  switch (Way) {
    case TSwitchWay::Default:
      return "set to the default direction";
    case TSwitchWay::Other:
      return "set to the other direction";
    case TSwitchWay::FromDefault:
      return "set to the default direction, coming in from it";
    case TSwitchWay::FromOther:
      return "set to the other direction, coming in from it";
  }
  return "";
}

void AddSwitches(const TSwitchPasses& Switches, const char* (*Way)(TSwitchWay),
                 std::vector<std::string>& Lines) {
  for (const TSwitchPass& pass : Switches) {
    Lines.push_back(Format("Switch %d at %.2f m: %s", pass.Switch->Id, pass.At,
                           Way(pass.Way)));
  }
}

}  // namespace

std::vector<std::string> RouteLines(const TTrainRoute& Route, size_t Number) {
  std::string head;
  switch (Route.End) {
    case TRouteEnd::DeadEnd:
      head = Route.EndPoint == nullptr
                 ? Format("Train %zu: off the track", Number)
                 : Format("Train %zu: %.2f m to the dead end at point %d",
                          Number, Route.Length, Route.EndPoint->Id);
      break;
    case TRouteEnd::Loop:
      head = Format("Train %zu: %.2f m, then round a loop of %.2f m", Number,
                    Route.Length, Route.LoopLength);
      break;
    case TRouteEnd::Limit:
      head = Format("Train %zu: %.2f m and on (routes are followed %.0f km)",
                    Number, Route.Length, kRouteLimit / 1000.0);
      break;
  }
  std::vector<std::string> lines{head};
  AddSwitches(Route.Switches, RouteWay, lines);
  return lines;
}

std::vector<std::string> PathLines(const TTrackPath& Path, int32_t FromId,
                                   int32_t ToId) {
  const char* why = "";
  switch (Path.Failure) {
    case TPathFailure::None: {
      std::vector<std::string> lines{Format(
          "Path from point %d to point %d: %.2f m", FromId, ToId, Path.Length)};
      AddSwitches(Path.Switches, PathWay, lines);
      return lines;
    }
    case TPathFailure::NoTrackAtFrom:
    case TPathFailure::NoTrackAtTo:
      return {Format(
          "No path from point %d to point %d: point %d has no track", FromId,
          ToId, Path.Failure == TPathFailure::NoTrackAtFrom ? FromId : ToId)};
    case TPathFailure::NotJoined:
      why = "no track joins them";
      break;
    case TPathFailure::OnlyLegToLeg:
      why =
          "they are joined only through a turn from one leg of a switch to "
          "the other";
      break;
  }
  return {Format("No path from point %d to point %d: %s", FromId, ToId, why)};
}
