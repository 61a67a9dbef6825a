// The command line of hyphenate, read into a value: no output, no exit, so that every case can be
// tested by calling parseOptions.
#pragma once

#include <cstddef>
#include <cstdint>
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

// How an input is read: running text, one word per line, or HTML/XHTML. `automatic` is HTML for
// a file named *.html, *.htm or *.xhtml and running text otherwise.
enum class Format { automatic, text, words, html };

struct Options {
  Action action = Action::hyphenate;
  std::optional<std::string> language;   // -l as given
  std::optional<std::string> separator;  // -s or --soft; nothing for the format's default
  Format format = Format::automatic;
  std::size_t minLength = 0;  // words of fewer characters stay whole; 0 for no limit
  std::optional<std::int64_t> leftMin;
  std::optional<std::int64_t> rightMin;
  bool skipNonProse = true;
  std::vector<std::string> files;  // the operands; none means standard input
};

// A command line that cannot be run: `message` says why in one line, without the program's name.
struct OptionError {
  std::string message;
};

// Reads `arguments` (the program's name first, as main receives them) with getopt_long.
std::variant<Options, OptionError> parseOptions(const std::vector<std::string>& arguments);

// The format in which `file` ("-" for standard input) is read: options.format unless that is
// automatic.
Format formatOf(const Options& options, std::string_view file);

// Whether `file` is named *.xhtml, and so read as XML whatever it begins with.
bool namedXhtml(std::string_view file);

// What goes at each break in `format`: the separator asked for, else "-", or in HTML the soft
// hyphen as the character reference "&#173;".
std::string separatorOf(const Options& options, Format format);

// `text` as it can be shown in a message on a terminal: control characters and bytes that are
// not valid UTF-8 become escapes (\n, \x1B, \u0085), and so does "\" itself, so that a file's
// name reads unambiguously and cannot move the cursor or change colours.
std::string printable(std::string_view text);

}  // namespace command
