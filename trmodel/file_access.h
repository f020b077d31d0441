#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "file_system.h"
#include "text_reader.h"

// Whole-file reading and replacing for map files. Every failure throws
// EFileError with the message the user is shown; no descriptor stays open.

// The whole content of the named file.
std::string ReadWholeFile(const std::string& Name, TFileSystem& Files);

// The content of the named file, or none when there is no such file.
std::optional<std::string> ReadFileIfPresent(const std::string& Name,
                                             TFileSystem& Files);

// The text of the named file, read piece by piece as a reader asks for it,
// so that a large file passes through a small window. Open from creation
// to destruction.
class TFileText : public TTextSource {
 public:
  TFileText(const std::string& Name, TFileSystem& Files);
  ~TFileText() override;
  TFileText(const TFileText&) = delete;
  TFileText& operator=(const TFileText&) = delete;

  size_t Read(char* Buffer, size_t Count) override;
  // The size of the file when it was opened.
  size_t SizeHint() const override { return size_; }

 private:
  std::string name_;
  TFileSystem& files_;
  int fd_;
  size_t size_ = 0;
};

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

// ReplaceFile with Content, or removes the file when there is none, for
// files that go with a map and must not outlive what they describe. A file
// that is not there is no failure.
void ReplaceOrRemoveFile(const std::string& Name,
                         const std::optional<std::string>& Content,
                         TFileSystem& Files);

// The content of a file made piece by piece: the source hands each piece,
// in order, to the writer it is given. A source that throws abandons the
// save, which then leaves the old file, and no new one, behind.
using TContentWriter = std::function<void(std::string_view Piece)>;
using TContentSource = std::function<void(const TContentWriter& Write)>;

// ReplaceFile for content too large to hold at once: the pieces go to disk
// as they come. Only where the old file is written in place are they first
// collected, since the room they need must be reserved before any old byte
// is overwritten.
void ReplaceFile(const std::string& Name, const TContentSource& Content,
                 TFileSystem& Files);

// Makes a file-size limit fail a save with its error, which removes the
// temporary file, rather than kill the process half-way. For the start of
// every program that saves maps.
void IgnoreFileSizeSignal();

// The message for a failed file call on Name with the given errno.
std::string FileErrorMessage(int Error, const std::string& Name);
