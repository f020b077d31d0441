#include "command_line.h"

#include <algorithm>
#include <string_view>

namespace {

bool Repeats(const std::string& Argument) {
  return Argument.size() > 3 &&
         Argument.compare(Argument.size() - 3, 3, "...") == 0;
}

const TOptionSyntax* FindOption(const TCommandSyntax& Syntax,
                                std::string_view Name) {
  for (const TOptionSyntax& option : Syntax.Options) {
    if (option.Name == Name) return &option;
  }
  return nullptr;
}

std::string OptionText(const TOptionSyntax& Option) {
  return Option.Value.empty() ? Option.Name : Option.Name + ' ' + Option.Value;
}

}  // namespace

std::string CommandSynopsis(const TCommandSyntax& Syntax) {
  std::string text = "trntool " + Syntax.Name;
  for (const std::string& argument : Syntax.Arguments) text += ' ' + argument;
  for (const TOptionSyntax& option : Syntax.Options) {
    text += " [" + OptionText(option) + ']';
  }
  return text;
}

std::string CommandHelp(const TCommandSyntax& Syntax) {
  std::string text = "usage: " + CommandSynopsis(Syntax) + "\n\n" + Syntax.Help;
  if (!Syntax.Options.empty()) text += "\nOptions:\n";
  for (const TOptionSyntax& option : Syntax.Options) {
    std::string name = "  " + OptionText(option);
    name.resize(std::max<size_t>(name.size() + 2, 18), ' ');
    text += name + option.Help + '\n';
  }
  return text;
}

TCommandExit CommandError(const TCommandSyntax& Syntax,
                          const std::string& What) {
  const std::string command = "trntool " + Syntax.Name;
  return {2, "", command + ": " + What + "; try '" + command + " --help'\n"};
}

std::variant<TCommandArgs, TCommandExit> ParseCommand(
    const TCommandSyntax& Syntax, int Count, char** Args) {
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
      return TCommandExit{0, CommandHelp(Syntax), ""};
    const size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const TOptionSyntax* option = FindOption(Syntax, name);
    if (option == nullptr) {
      return CommandError(Syntax, "unknown option '" + std::string(name) + "'");
    }
    if (parsed.Has(option->Name)) {
      return CommandError(Syntax, "option '" + option->Name + "' given twice");
    }
    std::string value;
    if (option->Value.empty()) {
      if (equals != std::string_view::npos) {
        return CommandError(Syntax,
                            "option '" + option->Name + "' takes no value");
      }
    } else if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < Count) {
      value = Args[++i];
    } else {
      return CommandError(Syntax, "option '" + option->Name +
                                      "' needs a value " + option->Value);
    }
    parsed.Options[option->Name] = value;
  }
  const std::vector<std::string>& wanted = Syntax.Arguments;
  const bool repeats = !wanted.empty() && Repeats(wanted.back());
  if (parsed.Arguments.size() < wanted.size()) {
    std::string name = wanted[parsed.Arguments.size()];
    if (Repeats(name)) name.resize(name.size() - 3);
    return CommandError(Syntax, "missing argument " + name);
  }
  if (!repeats && parsed.Arguments.size() > wanted.size()) {
    return CommandError(Syntax, "unexpected argument '" +
                                    parsed.Arguments[wanted.size()] + "'");
  }
  return parsed;
}
