#pragma once

#include <string>
#include <string_view>

#include "file_system.h"

// Whole-file reading and replacing for map files. Every failure throws
// EFileError with the message the user is shown; no descriptor stays open.

// The whole content of the named file.
std::string ReadWholeFile(const std::string& Name, TFileSystem& Files);

// Replaces the named file by Content so that the old content survives every
// failure: a new file is written beside it, flushed to disk, renamed over the
// old one, and the folder is flushed. The new file keeps the permission bits,
// owner and group of the one it replaces; where the owner or group cannot be
// kept, or the file has other hard links, the file is written in place. A
// symbolic link is followed to the file it names. A file the process may not
// open for writing, and anything but a plain file, are refused. Temporary
// files that killed saves left in the folder are removed.
void ReplaceFile(const std::string& Name, std::string_view Content,
                 TFileSystem& Files);

// Makes a file-size limit fail a save with its error, which removes the
// temporary file, rather than kill the process half-way. For the start of
// every program that saves maps.
void IgnoreFileSizeSignal();

// The message for a failed file call on Name with the given errno.
std::string FileErrorMessage(int Error, const std::string& Name);
