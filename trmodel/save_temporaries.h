#pragma once

#include <string>

#include "file_system.h"

// The temporary files a save writes beside a map before renaming them over
// it: ".trn-save-PID-COUNT".

// A name for a new temporary file in Folder, unique within this process.
std::string TemporaryName(const std::string& Folder);
