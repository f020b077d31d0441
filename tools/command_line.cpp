#include "command_line.h"

#include <algorithm>
#include <string_view>

namespace {

bool Repeats(const std::string& Argument) {
  return Argument.size() > 3 &&
         Argument.compare(Argument.size() - 3, 3, "...") == 0;
}

const TOptionSpec* FindOption(const TCommandSpec& Spec, std::string_view Name) {
  for (const TOptionSpec& option : Spec.Options) {
    if (option.Name == Name) return &option;
  }
  return nullptr;
}

std::string OptionText(const TOptionSpec& Option) {
  return Option.Value.empty() ? Option.Name : Option.Name + ' ' + Option.Value;
}

}  // namespace

std::string CommandSynopsis(const TCommandSpec& Spec) {
  std::string text = "trntool " + Spec.Name;
  for (const std::string& argument : Spec.Arguments) text += ' ' + argument;
  for (const TOptionSpec& option : Spec.Options) {
    text += " [" + OptionText(option) + ']';
  }
  return text;
}

std::string CommandHelp(const TCommandSpec& Spec) {
  std::string text = "usage: " + CommandSynopsis(Spec) + "\n\n" + Spec.Help;
  if (!Spec.Options.empty()) text += "\nOptions:\n";
  for (const TOptionSpec& option : Spec.Options) {
    std::string name = "  " + OptionText(option);
    name.resize(std::max<size_t>(name.size() + 2, 18), ' ');
    text += name + option.Help + '\n';
  }
  return text;
}

TCommandExit CommandError(const TCommandSpec& Spec, const std::string& What) {
  const std::string command = "trntool " + Spec.Name;
  return {2, "", command + ": " + What + "; try '" + command + " --help'\n"};
}

std::variant<TCommandArgs, TCommandExit> ParseCommand(const TCommandSpec& Spec,
                                                      int Count, char** Args) {
  TCommandArgs parsed;
  bool options = true;
  for (int i = 0; i < Count; ++i) {
    const std::string_view arg = Args[i];
    // A lone "-" is a name, as it is to most tools.
    if (!options || arg.size() < 2 || arg[0] != '-') {
      parsed.Arguments.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      options = false;
      continue;
    }
    if (arg == "--help" || arg == "-h")
      return TCommandExit{0, CommandHelp(Spec), ""};
    const size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const TOptionSpec* option = FindOption(Spec, name);
    if (option == nullptr) {
      return CommandError(Spec, "unknown option '" + std::string(name) + "'");
    }
    if (parsed.Has(option->Name)) {
      return CommandError(Spec, "option '" + option->Name + "' given twice");
    }
    std::string value;
    if (option->Value.empty()) {
      if (equals != std::string_view::npos) {
        return CommandError(Spec,
                            "option '" + option->Name + "' takes no value");
      }
    } else if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < Count) {
      value = Args[++i];
    } else {
      return CommandError(
          Spec, "option '" + option->Name + "' needs a value " + option->Value);
    }
    parsed.Options[option->Name] = value;
  }
  const std::vector<std::string>& wanted = Spec.Arguments;
  const bool repeats = !wanted.empty() && Repeats(wanted.back());
  if (parsed.Arguments.size() < wanted.size()) {
    std::string name = wanted[parsed.Arguments.size()];
    if (Repeats(name)) name.resize(name.size() - 3);
    return CommandError(Spec, "missing argument " + name);
  }
  if (!repeats && parsed.Arguments.size() > wanted.size()) {
    return CommandError(
        Spec, "unexpected argument '" + parsed.Arguments[wanted.size()] + "'");
  }
  return parsed;
}
