#pragma once

#include "command_line.h"

// trntool import IN OUT.TRN [options] and trntool export IN.TRN OUT.
int Import(const TCommandArgs& Args);
int Export(const TCommandArgs& Args);
