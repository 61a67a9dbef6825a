// The command line of hyphenate, read into a value: no output, no exit, so that every case can be
// tested by calling parseOptions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace command {

// The text of --help.
extern const std::string_view usage;

// What the command was asked to do; the listings win over hyphenation, and --help over both.
enum class Action { hyphenate, listLanguages, version, help };

struct Options {
  Action action = Action::hyphenate;
  std::optional<std::string> language;  // -l as given
  std::string separator = "-";
  bool words = false;
  std::vector<std::string> files;  // the operands; none means standard input
};

// A command line that cannot be run: `message` says why in one line, without the program's name.
struct OptionError {
  std::string message;
};

// Reads `arguments` (the program's name first, as main receives them) with getopt_long.
std::variant<Options, OptionError> parseOptions(const std::vector<std::string>& arguments);

}  // namespace command
