#include "render_launch.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

int LaunchRender(int Count, char** Args) {
  std::error_code error;
  const std::filesystem::path self =
      std::filesystem::read_symlink("/proc/self/exe", error);
  const std::string program = (error ? std::filesystem::path("trntool-render")
                                     : self.parent_path() / "trntool-render")
                                  .string();
  std::vector<char*> arguments{const_cast<char*>(program.c_str())};
  arguments.insert(arguments.end(), Args, Args + Count);
  arguments.push_back(nullptr);
  ::execv(program.c_str(), arguments.data());
  std::fprintf(stderr, "trntool: cannot run %s: %s\n", program.c_str(),
               std::strerror(errno));
  return 1;
}
