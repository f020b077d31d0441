#include "save_temporaries.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view kPrefix = ".trn-save-";

// Reads decimal digits, and nothing else, from the front of Text.
bool TakeNumber(std::string_view& Text, uint32_t& Value) {
  const auto [end, error] =
      std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (error != std::errc() || end == Text.data()) return false;
  Text.remove_prefix(static_cast<size_t>(end - Text.data()));
  return true;
}

// The process that wrote a temporary file of this name, or 0 for a name of
// any other form.
pid_t WriterOf(std::string_view Name) {
  if (!Name.starts_with(kPrefix)) return 0;
  Name.remove_prefix(kPrefix.size());
  uint32_t pid = 0;
  uint32_t count = 0;
  if (!TakeNumber(Name, pid) || !Name.starts_with('-')) return 0;
  Name.remove_prefix(1);
  if (!TakeNumber(Name, count) || !Name.empty()) return 0;
  if (pid == 0 || pid > INT_MAX) return 0;
  return static_cast<pid_t>(pid);
}

bool IsRunning(pid_t Process) {
  // EPERM: it runs, under another user.
  return ::kill(Process, 0) == 0 || errno != ESRCH;
}

}  // namespace

std::string TemporaryName(const std::string& Folder) {
  static std::atomic<unsigned> counter{0};
  return Folder + "/" + std::string(kPrefix) + std::to_string(::getpid()) +
         "-" + std::to_string(counter++);
}

void RemoveStaleTemporaries(const std::string& Folder, TFileSystem& Files) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::directory_iterator entry(Folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const pid_t writer = WriterOf(entry->path().filename().native());
    if (writer == 0 || IsRunning(writer)) continue;
    // Only a plain file: a folder or link of that name is not ours.
    const std::string path = entry->path().native();
    struct stat info {};
    if (Files.LinkStat(path.c_str(), info) == 0 && S_ISREG(info.st_mode)) {
      Files.Unlink(path.c_str());
    }
  }
}
