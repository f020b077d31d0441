#pragma once

#include "command_line.h"

// trntool lint FILE... [--min-radius METRES]: each finding of each file as
// "FILE: KIND ID: text", sorted by kind, then identifier. Exits 2 for a bad
// radius or when a file cannot be read (its failure goes to standard
// error), else 1 when a problem was found, else 0; the count of dead ends
// is no problem.
int Lint(const TCommandArgs& Args);
