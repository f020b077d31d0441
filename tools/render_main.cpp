// trntool-render IN OUT [--size WxH] [--background]: "trntool render", in a
// program of its own because it needs Qt (render_launch.h).
#include <cstdio>
#include <optional>

#include "file_access.h"
#include "render_command.h"

int main(int argc, char** argv) {
  IgnoreFileSizeSignal();
  const std::optional<TRenderRequest> request =
      RenderRequest(argc - 1, argv + 1);
  if (!request) {
    std::fputs("usage: trntool render IN OUT [--size WxH] [--background]\n",
               stderr);
    return 2;
  }
  return Render(*request);
}
