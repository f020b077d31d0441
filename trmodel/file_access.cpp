#include "file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "errors.h"

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
// that does not exist yet; Existing then tells whether it exists.
std::string ResolveLinks(const std::string& Name, TFileSystem& Files,
                         bool& Existing, mode_t& Mode) {
  constexpr int kMaxLinks = 40;  // as many as the kernel itself follows
  std::string path = Name;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat info {};
    if (Files.LinkStat(path.c_str(), info) != 0) {
      if (errno != ENOENT) Fail(errno, path);
      Existing = false;
      return path;
    }
    if (!S_ISLNK(info.st_mode)) {
      Existing = true;
      Mode = info.st_mode & 07777;
      return path;
    }
    std::string target(static_cast<size_t>(info.st_size) + 256, '\0');
    const ssize_t length =
        Files.ReadLink(path.c_str(), target.data(), target.size());
    if (length < 0) Fail(errno, path);
    target.resize(static_cast<size_t>(length));
    path = target.starts_with('/') ? target : FolderOf(path) + "/" + target;
  }
  Fail(ELOOP, Name);
}

std::string TemporaryName(const std::string& Folder) {
  static std::atomic<unsigned> counter{0};
  return Folder + "/.trn-save-" + std::to_string(::getpid()) + "-" +
         std::to_string(counter++);
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

// Writes Content into a new temporary file of Folder and flushes it; on any
// failure the temporary file is removed again.
std::string WriteTemporary(const std::string& Folder, std::string_view Content,
                           bool KeepMode, mode_t Mode, TFileSystem& Files) {
  constexpr int kAttempts = 100;
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < kAttempts && fd < 0; ++attempt) {
    temporary = TemporaryName(Folder);
    fd = Files.Open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    0666);
    if (fd < 0 && errno != EEXIST) Fail(errno, temporary);
  }
  if (fd < 0) Fail(EEXIST, temporary);
  TDescriptor file(Files, fd);
  try {
    if (KeepMode && Files.ChangeMode(fd, Mode) != 0) Fail(errno, temporary);
    WriteAll(Files, fd, Content, temporary);
    if (Files.FileSync(fd) != 0) Fail(errno, temporary);
    if (file.Close() != 0) Fail(errno, temporary);
  } catch (...) {
    if (file.Get() >= 0) file.Close();
    Files.Unlink(temporary.c_str());
    throw;
  }
  return temporary;
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

void ReplaceFile(const std::string& Name, std::string_view Content,
                 TFileSystem& Files) {
  bool existing = false;
  mode_t mode = 0;
  const std::string target = ResolveLinks(Name, Files, existing, mode);
  const std::string folder = FolderOf(target);

  const std::string temporary =
      WriteTemporary(folder, Content, existing, mode, Files);
  if (Files.Rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    Files.Unlink(temporary.c_str());
    Fail(error, target);
  }

  // Makes the rename itself durable. Some file systems cannot flush a
  // folder (EINVAL); the data is then as safe as they allow.
  const int folderFd =
      Files.Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (folderFd < 0) Fail(errno, folder);
  TDescriptor folderFile(Files, folderFd);
  if (Files.FileSync(folderFd) != 0 && errno != EINVAL) Fail(errno, folder);
}
