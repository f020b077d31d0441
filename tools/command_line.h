#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

// The command line of one trntool command, read as users of command-line
// tools expect: --help prints its usage on standard output, an unknown
// option or a missing or extra argument is a one-line error that points to
// --help, and "--" ends the options.

struct TOptionSyntax {
  // Such as "--size".
  std::string Name;
  // What its value stands for, such as "WxH"; empty for an option without.
  std::string Value;
  std::string Help;
};

struct TCommandSyntax {
  // Such as "render".
  std::string Name;
  // The arguments' names in order; the last may end in "..." for one or
  // more.
  std::vector<std::string> Arguments;
  std::vector<TOptionSyntax> Options;
  // What the command does, for its --help.
  std::string Help;
};

// What a command line gives: its arguments, and its options with their
// values ("" for those without).
struct TCommandArgs {
  std::vector<std::string> Arguments;
  std::map<std::string, std::string> Options;
  bool Has(const std::string& Option) const {
    return Options.count(Option) != 0;
  }
};

// What to print, and the exit status, instead of running a command.
struct TCommandExit {
  int Status = 0;
  std::string Out;
  std::string Err;
};

// "trntool NAME ARGUMENTS [OPTIONS]", one line.
std::string CommandSynopsis(const TCommandSyntax& Syntax);
// The usage that --help prints.
std::string CommandHelp(const TCommandSyntax& Syntax);
// The error of a command line, as it is printed: "trntool NAME: What; try
// 'trntool NAME --help'", with status 2.
TCommandExit CommandError(const TCommandSyntax& Syntax,
                          const std::string& What);

// Reads the Count arguments after the command's name.
std::variant<TCommandArgs, TCommandExit> ParseCommand(
    const TCommandSyntax& Syntax, int Count, char** Args);
