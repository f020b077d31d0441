#pragma once

#include <stdexcept>
#include <string>

// Every failure the model raises carries the exact text the user is shown.

// A failing file operation ("File not found", "Disk full", ...).
class EFileError : public std::runtime_error {
 public:
  explicit EFileError(const std::string& Message)
      : std::runtime_error(Message) {}
  // A failure of the system that has no message of its own: the user is
  // shown its number.
  explicit EFileError(int SystemError)
      : std::runtime_error("I/O error " + std::to_string(SystemError)),
        systemError_(SystemError) {}

  // The number of a failure shown only by its number, else 0. A program
  // free to say more can give the system's text for it.
  int SystemError() const { return systemError_; }

 private:
  int systemError_ = 0;
};

// Text that does not convert to a number.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every identifier that a map file can hold is taken by a line.
class EIdentifierOverflow : public std::runtime_error {
 public:
  EIdentifierOverflow()
      : std::runtime_error("No identifier is left for a new line") {}
};

// A coordinate too large to be stored.
class EFloatOverflow : public std::runtime_error {
 public:
  EFloatOverflow() : std::runtime_error("Floating point overflow") {}
};
