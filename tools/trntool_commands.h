#pragma once

#include <string>
#include <vector>

#include "command_line.h"

// trntool's commands as their command lines read, for trntool itself and
// for trntool-render.
const std::vector<TCommandSyntax>& TrntoolCommands();
const TCommandSyntax& CommandSyntax(const std::string& Name);

// What "trntool --help" prints; bare "trntool" prints it on standard error.
std::string TrntoolHelp();
