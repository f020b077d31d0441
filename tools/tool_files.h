#pragma once

#include <exception>
#include <string>

class TTrainStructureSV;

// How trntool's commands load maps and report failures.

// The message for a failure about the file Name: "Name: text". The editor
// shows a system error without a message of its own by its number; here
// the system's text says more.
std::string FailureMessage(const std::string& Name,
                           const std::exception& Error);

// Loads Name into Map, which should be empty; returns the failure message,
// empty on success.
std::string LoadMap(TTrainStructureSV& Map, const std::string& Name);
