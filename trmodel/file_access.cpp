#include "file_access.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "errors.h"
#include "save_temporaries.h"

namespace {

// Closes the descriptor on every path out of a scope unless released.
class TDescriptor {
 public:
  TDescriptor(TFileSystem& Files, int Fd) : files_(Files), fd_(Fd) {}
  ~TDescriptor() {
    if (fd_ >= 0) files_.Close(fd_);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;

  int Get() const { return fd_; }
  // Closes now and returns what close returned.
  int Close() {
    const int result = files_.Close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  TFileSystem& files_;
  int fd_;
};

std::string FolderOf(const std::string& Name) {
  const size_t slash = Name.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return Name.substr(0, slash);
}

bool IsFolder(const std::string& Path) {
  struct stat info {};
  return ::stat(Path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The message of its own for a failure with Error, empty when it has none.
std::string NamedMessage(int Error, const std::string& Name) {
  switch (Error) {
    case ENOENT:
      return IsFolder(FolderOf(Name)) ? "File not found" : "Invalid filename";
    case ENOTDIR:
    case ENAMETOOLONG:
      return "Invalid filename";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
      return "File access denied";
    case ENOSPC:
    case EDQUOT:
      return "Disk full";
    default:
      return {};
  }
}

[[noreturn]] void Fail(int Error, const std::string& Name) {
  const std::string message = NamedMessage(Error, Name);
  if (message.empty()) throw EFileError(Error);
  throw EFileError(message);
}

// Follows symbolic links so that saving replaces the file a link names
// rather than the link. Stops at the first name that is no link, also one
// that does not exist yet; Existing then tells whether it exists, and Info
// holds what it is.
std::string ResolveLinks(const std::string& Name, TFileSystem& Files,
                         bool& Existing, struct stat& Info) {
  constexpr int kMaxLinks = 40;  // as many as the kernel itself follows
  std::string path = Name;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    if (Files.LinkStat(path.c_str(), Info) != 0) {
      if (errno != ENOENT) Fail(errno, path);
      Existing = false;
      return path;
    }
    if (!S_ISLNK(Info.st_mode)) {
      Existing = true;
      return path;
    }
    std::string target(static_cast<size_t>(Info.st_size) + 256, '\0');
    const ssize_t length =
        Files.ReadLink(path.c_str(), target.data(), target.size());
    if (length < 0) Fail(errno, path);
    target.resize(static_cast<size_t>(length));
    path = target.starts_with('/') ? target : FolderOf(path) + "/" + target;
  }
  Fail(ELOOP, Name);
}

void WriteAll(TFileSystem& Files, int Fd, std::string_view Content,
              const std::string& Name) {
  while (!Content.empty()) {
    const ssize_t written = Files.Write(Fd, Content.data(), Content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(errno, Name);
    }
    if (written == 0) Fail(ENOSPC, Name);
    Content.remove_prefix(static_cast<size_t>(written));
  }
}

// A new file in a folder that becomes the map by a rename; removed again
// on every path that does not rename it.
class TTemporaryFile {
 public:
  TTemporaryFile(const std::string& Folder, TFileSystem& Files)
      : files_(Files), folder_(Folder), file_(Files, Create()) {}
  ~TTemporaryFile() {
    if (!name_.empty()) files_.Unlink(name_.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  int Get() const { return file_.Get(); }
  const std::string& Name() const { return name_; }

  // Writes Content, flushes it to disk and renames the file over Target,
  // durably.
  void Install(const TContentSource& Content, const std::string& Target) {
    Content([this](std::string_view Piece) {
      WriteAll(files_, file_.Get(), Piece, name_);
    });
    if (files_.FileSync(file_.Get()) != 0) Fail(errno, name_);
    if (file_.Close() != 0) Fail(errno, name_);
    if (files_.Rename(name_.c_str(), Target.c_str()) != 0) Fail(errno, Target);
    name_.clear();
    SyncFolder();
  }

 private:
  int Create() {
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      name_ = TemporaryName(folder_);
      const int fd = files_.Open(name_.c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) return fd;
      if (errno != EEXIST) Fail(errno, name_);
    }
    Fail(EEXIST, name_);
  }

  // Makes the rename itself durable. Some file systems cannot flush a
  // folder (EINVAL); the data is then as safe as they allow.
  void SyncFolder() {
    const int fd =
        files_.Open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) Fail(errno, folder_);
    TDescriptor folder(files_, fd);
    if (files_.FileSync(fd) != 0 && errno != EINVAL) Fail(errno, folder_);
  }

  TFileSystem& files_;
  const std::string folder_;
  std::string name_;
  TDescriptor file_;
};

// Opens the existing file Target for writing, as a direct write would: so
// a file the user may not write is refused rather than replaced. Only a
// plain file is saved to: a FIFO would block the save, and a device or
// socket would be replaced by a plain file.
int OpenOldFile(const std::string& Target, const struct stat& Found,
                TFileSystem& Files) {
  if (S_ISDIR(Found.st_mode)) Fail(EISDIR, Target);
  if (!S_ISREG(Found.st_mode)) Fail(EACCES, Target);
  // Non-blocking, in case a FIFO took its place since it was looked at.
  const int fd = Files.Open(Target.c_str(),
                            O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0);
  if (fd < 0) Fail(errno, Target);
  return fd;
}

// Gives the temporary file the owner and group of the old one. False when
// the process may not.
bool TakeOwnership(TTemporaryFile& Temporary, const struct stat& Old,
                   TFileSystem& Files) {
  struct stat made {};
  if (Files.FileStat(Temporary.Get(), made) != 0) {
    Fail(errno, Temporary.Name());
  }
  if (made.st_uid == Old.st_uid && made.st_gid == Old.st_gid) return true;
  constexpr auto kSameOwner = static_cast<uid_t>(-1);
  constexpr auto kSameGroup = static_cast<gid_t>(-1);
  const uid_t owner = made.st_uid == Old.st_uid ? kSameOwner : Old.st_uid;
  const gid_t group = made.st_gid == Old.st_gid ? kSameGroup : Old.st_gid;
  if (Files.ChangeOwner(Temporary.Get(), owner, group) == 0) return true;
  if (errno == EPERM) return false;
  Fail(errno, Temporary.Name());
}

// The whole content of a source, for writing in place.
std::string Collected(const TContentSource& Content) {
  std::string whole;
  Content([&whole](std::string_view Piece) { whole.append(Piece); });
  return whole;
}

// Writes Content over the old file itself. Disk room is reserved first, so
// that a full disk or a file-size limit stops the save before any old byte
// is overwritten; file systems that cannot reserve room go on without.
void WriteInPlace(TDescriptor& Old, std::string_view Content,
                  const std::string& Target, TFileSystem& Files) {
  const int fd = Old.Get();
  const auto length = static_cast<off_t>(Content.size());
  if (length > 0) {
    int reserved = 0;
    do {
      reserved = Files.Allocate(fd, length);
    } while (reserved != 0 && errno == EINTR);
    if (reserved != 0 && errno != EOPNOTSUPP && errno != ENOSYS) {
      Fail(errno, Target);
    }
  }
  WriteAll(Files, fd, Content, Target);
  if (Files.Truncate(fd, length) != 0) Fail(errno, Target);
  if (Files.FileSync(fd) != 0) Fail(errno, Target);
  if (Old.Close() != 0) Fail(errno, Target);
}

}  // namespace

std::string FileErrorMessage(int Error, const std::string& Name) {
  const std::string message = NamedMessage(Error, Name);
  return message.empty() ? EFileError(Error).what() : message;
}

std::string ReadWholeFile(const std::string& Name, TFileSystem& Files) {
  const int fd = Files.Open(Name.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (fd < 0) Fail(errno, Name);
  TDescriptor file(Files, fd);

  // The size is only a first guess: the file may grow while it is read.
  struct stat info {};
  size_t capacity = 64 * 1024;
  if (Files.FileStat(fd, info) == 0 && info.st_size > 0) {
    capacity = static_cast<size_t>(info.st_size) + 1;
  }
  std::string content(capacity, '\0');
  size_t size = 0;
  for (;;) {
    if (size == content.size()) content.resize(content.size() * 2);
    const ssize_t got =
        Files.Read(fd, content.data() + size, content.size() - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail(errno, Name);
    }
    if (got == 0) break;
    size += static_cast<size_t>(got);
  }
  content.resize(size);
  return content;
}

TFileText::TFileText(const std::string& Name, TFileSystem& Files)
    : name_(Name),
      files_(Files),
      fd_(Files.Open(Name.c_str(), O_RDONLY | O_CLOEXEC, 0)) {
  if (fd_ < 0) Fail(errno, Name);
  struct stat info {};
  if (Files.FileStat(fd_, info) == 0 && info.st_size > 0) {
    size_ = static_cast<size_t>(info.st_size);
  }
}

TFileText::~TFileText() { files_.Close(fd_); }

size_t TFileText::Read(char* Buffer, size_t Count) {
  for (;;) {
    const ssize_t got = files_.Read(fd_, Buffer, Count);
    if (got >= 0) return static_cast<size_t>(got);
    if (errno != EINTR) Fail(errno, name_);
  }
}

void ReplaceFile(const std::string& Name, std::string_view Content,
                 TFileSystem& Files) {
  ReplaceFile(
      Name, [Content](const TContentWriter& Write) { Write(Content); }, Files);
}

void ReplaceFile(const std::string& Name, const TContentSource& Content,
                 TFileSystem& Files) {
  bool existing = false;
  struct stat found {};
  const std::string target = ResolveLinks(Name, Files, existing, found);
  const std::string folder = FolderOf(target);
  RemoveStaleTemporaries(folder, Files);
  if (!existing) {
    TTemporaryFile(folder, Files).Install(Content, target);
    return;
  }

  TDescriptor old(Files, OpenOldFile(target, found, Files));
  struct stat info {};
  if (Files.FileStat(old.Get(), info) != 0) Fail(errno, target);
  if (!S_ISREG(info.st_mode)) Fail(EACCES, target);
  // A rename would give the new content to this name only, while every
  // other link kept the old file: the file itself is written instead.
  if (info.st_nlink > 1) {
    WriteInPlace(old, Collected(Content), target, Files);
    return;
  }

  // The safe way: the old file stays whole until the new one is on disk.
  TTemporaryFile temporary(folder, Files);
  // The new file takes the old one's owner and group where the process
  // may set them. Where it may not, a rename would hand the map to this
  // user: the old file itself is written instead, which keeps them.
  if (!TakeOwnership(temporary, info, Files)) {
    WriteInPlace(old, Collected(Content), target, Files);
    return;
  }
  // After the owner: changing it clears the set-user and set-group bits.
  if (Files.ChangeMode(temporary.Get(), info.st_mode & 07777) != 0) {
    Fail(errno, temporary.Name());
  }
  temporary.Install(Content, target);
}

void IgnoreFileSizeSignal() { ::signal(SIGXFSZ, SIG_IGN); }

std::optional<std::string> ReadFileIfPresent(const std::string& Name,
                                             TFileSystem& Files) {
  struct stat info {};
  if (Files.LinkStat(Name.c_str(), info) != 0 && errno == ENOENT) {
    return std::nullopt;
  }
  return ReadWholeFile(Name, Files);
}

void ReplaceOrRemoveFile(const std::string& Name,
                         const std::optional<std::string>& Content,
                         TFileSystem& Files) {
  if (Content) {
    ReplaceFile(Name, *Content, Files);
    return;
  }
  if (Files.Unlink(Name.c_str()) != 0 && errno != ENOENT) {
    throw EFileError(FileErrorMessage(errno, Name));
  }
}
