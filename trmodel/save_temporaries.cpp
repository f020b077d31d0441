#include "save_temporaries.h"

#include <unistd.h>

#include <atomic>

std::string TemporaryName(const std::string& Folder) {
  static std::atomic<unsigned> counter{0};
  return Folder + "/.trn-save-" + std::to_string(::getpid()) + "-" +
         std::to_string(counter++);
}
