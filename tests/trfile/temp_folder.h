#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh folder under /tmp, removed with everything in it at the end.
class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern = "/tmp/trfile-test-XXXXXX";
    path_ = ::mkdtemp(pattern.data());
  }
  ~TTempFolder() { std::filesystem::remove_all(path_); }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  std::string operator/(const std::string& Name) const {
    return (path_ / Name).string();
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& Name) {
  std::ifstream in(Name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& Name, const std::string& Bytes) {
  std::ofstream(Name, std::ios::binary) << Bytes;
}
