#include "render_options.h"

#include <cctype>
#include <optional>
#include <string_view>

#include "trntool_commands.h"

namespace {

constexpr int kMaxSide = 16384;
// Beyond this no map of the earth fits a page more than a dot.
constexpr int kMaxScale = 100000000;

// Digits making 1 to Max.
std::optional<int> Number(std::string_view Text, int Max) {
  if (Text.empty() || Text.size() > 9) return std::nullopt;
  int value = 0;
  for (const char c : Text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > Max) return std::nullopt;
  return value;
}

bool SameLetters(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(A[i])) !=
        std::tolower(static_cast<unsigned char>(B[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsPdfName(const std::string& Name) {
  return Name.size() >= 4 &&
         SameLetters(std::string_view(Name).substr(Name.size() - 4), ".pdf");
}

std::variant<TRenderRequest, TCommandExit> RenderRequest(int Count,
                                                         char** Args) {
  const TCommandSyntax& syntax = CommandSyntax("render");
  auto parsed = ParseCommand(syntax, Count, Args);
  if (auto* exit = std::get_if<TCommandExit>(&parsed)) return *exit;
  const TCommandArgs& args = std::get<TCommandArgs>(parsed);
  TRenderRequest request{args.Arguments[0], args.Arguments[1]};
  request.Background = args.Has("--background");
  request.Simplify = args.Has("--simplify");
  request.Landscape = args.Has("--landscape");
  const bool pdf = IsPdfName(request.Out);
  for (const char* option : {"--scale", "--paper", "--landscape"}) {
    if (!pdf && args.Has(option)) {
      return CommandError(syntax, std::string(option) + " is for PDF pages");
    }
  }
  if (pdf && args.Has("--size")) {
    return CommandError(syntax, "--size is for PNG and SVG pictures");
  }
  if (args.Has("--size")) {
    const std::string& size = args.Options.at("--size");
    const size_t x = size.find('x');
    const auto width = Number(std::string_view(size).substr(0, x), kMaxSide);
    const auto height =
        x == std::string::npos
            ? std::nullopt
            : Number(std::string_view(size).substr(x + 1), kMaxSide);
    if (!width || !height) {
      return CommandError(syntax, "invalid size '" + size +
                                      "' (WxH, each side 1 to 16384 pixels)");
    }
    request.Width = *width;
    request.Height = *height;
  }
  if (args.Has("--scale")) {
    const std::string& scale = args.Options.at("--scale");
    const auto value = Number(scale, kMaxScale);
    if (!value) {
      return CommandError(syntax, "invalid scale '" + scale +
                                      "' (the N of 1:N, 1 to 100000000)");
    }
    request.Scale = *value;
  }
  if (args.Has("--paper")) {
    request.Paper = args.Options.at("--paper");
    bool known = false;
    for (const char* name : kPaperNames) {
      known = known || SameLetters(request.Paper, name);
    }
    if (!known) {
      return CommandError(syntax, "unknown paper '" + request.Paper +
                                      "' (A3, A4, A5, Letter or Legal)");
    }
  }
  return request;
}
