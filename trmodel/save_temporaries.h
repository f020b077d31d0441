#pragma once

#include <string>

#include "file_system.h"

// The temporary files a save writes beside a map before renaming them over
// it. Their names, ".trn-save-PID-COUNT", say which process wrote them.

// A name for a new temporary file in Folder, unique within this process.
std::string TemporaryName(const std::string& Folder);

// Removes the temporary files in Folder whose process no longer runs: what
// a save that was killed left behind. Files of any other name, and those of
// a process still running (which may be saving now), stay. Failures are
// ignored: clearing up must never stop a save.
void RemoveStaleTemporaries(const std::string& Folder, TFileSystem& Files);
