#pragma once

#include <stdexcept>
#include <string>

// Every failure the model raises carries the exact text the user is shown.

// A failing file operation ("File not found", "Disk full", ...).
class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text that does not convert to a number.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A coordinate too large to be stored.
class EFloatOverflow : public std::runtime_error {
 public:
  EFloatOverflow() : std::runtime_error("Floating point overflow") {}
};
