#include "options.hpp"

#include <getopt.h>

namespace command {

const std::string_view usage =
    "Usage: hyphenate [-l LANG] [-s SEP | --soft] [-w] [FILE...]\n"
    "       hyphenate --list-languages | --help | --version\n"
    "\n"
    "Copies each FILE (standard input when there is none, or for \"-\") to standard output with\n"
    "SEP inserted at every permitted break of every word.\n"
    "\n"
    "  -l, --language LANG   language: a tag such as en, de-CH, pt-BR, a code from\n"
    "                        --list-languages, or a name such as English_GB (default en-us)\n"
    "  -s, --separator SEP   text inserted at each break (default \"-\")\n"
    "      --soft            insert U+00AD SOFT HYPHEN (for HTML and e-books)\n"
    "  -w, --words           every input line is one word; print its fragments joined by SEP\n"
    "      --list-languages  print the language codes and names\n"
    "      --help            print this help\n"
    "      --version         print the version\n"
    "\n"
    "Exit status: 0 on success, 1 when a file could not be read or output not written,\n"
    "2 for a bad option or an unknown language.\n";

namespace {

enum LongOnly { soft = 256, listLanguages, help, version };

const option longOptions[] = {{"language", required_argument, nullptr, 'l'},
                              {"separator", required_argument, nullptr, 's'},
                              {"soft", no_argument, nullptr, soft},
                              {"words", no_argument, nullptr, 'w'},
                              {"list-languages", no_argument, nullptr, listLanguages},
                              {"help", no_argument, nullptr, help},
                              {"version", no_argument, nullptr, version},
                              {nullptr, 0, nullptr, 0}};

// The long options whose names begin with what the user wrote (before any "=value"), each as
// " '--name'".
std::string matchingOptions(std::string_view argument) {
  const std::string_view prefix = argument.substr(2, argument.find('=') - 2);
  std::string matches;
  for (const option* entry = longOptions; entry->name != nullptr; ++entry) {
    if (std::string_view(entry->name).starts_with(prefix)) {
      matches += std::string(" '--") + entry->name + "'";
    }
  }
  return matches;
}

// What getopt_long would have printed for the option it refused (opterr is off, so that parsing
// writes nothing).
std::string describeRefusal(int result, std::string_view argument) {
  if (optopt != 0 && !argument.starts_with("--")) {
    const std::string letter(1, static_cast<char>(optopt));
    return result == ':' ? "option requires an argument -- '" + letter + "'"
                         : "invalid option -- '" + letter + "'";
  }
  // A refused option that getopt_long recognised has exactly one match: an abbreviation of it.
  const std::string matches = matchingOptions(argument);
  if (result == ':') return "option" + matches + " requires an argument";
  if (optopt != 0) return "option" + matches + " doesn't allow an argument";
  const std::string written(argument.substr(0, argument.find('=')));
  if (matches.find(' ', 1) != std::string::npos && written != "--") {
    return "option '" + written + "' is ambiguous; possibilities:" + matches;
  }
  return "unrecognized option '" + written + "'";
}

}  // namespace

std::variant<Options, OptionError> parseOptions(const std::vector<std::string>& arguments) {
  // getopt_long permutes its array, so it gets one of its own.
  std::vector<std::string> copies(arguments);
  std::vector<char*> argv;
  for (std::string& argument : copies)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(copies.size());

  Options options;
  bool separatorGiven = false;
  bool softGiven = false;
  optind = 0;  // start afresh, as for a new program
  opterr = 0;
  int result;
  while ((result = getopt_long(argc, argv.data(), ":l:s:w", longOptions, nullptr)) != -1) {
    switch (result) {
      case 'l':
        options.language = optarg;
        break;
      case 's':
        options.separator = optarg;
        separatorGiven = true;
        break;
      case soft:
        options.separator = "\u00AD";
        softGiven = true;
        break;
      case 'w':
        options.words = true;
        break;
      case listLanguages:
      case version:
      case help: {
        const auto action = result == help      ? Action::help
                            : result == version ? Action::version
                                                : Action::listLanguages;
        // The first listing asked for wins, except that --help always does.
        if (options.action == Action::hyphenate || action == Action::help) options.action = action;
        break;
      }
      default:
        return OptionError{describeRefusal(result, argv[optind - 1])};
    }
  }
  if (separatorGiven && softGiven) {
    return OptionError{"-s and --soft cannot be used together"};
  }
  for (int i = optind; i < argc; ++i)
    options.files.emplace_back(argv[i]);
  return options;
}

}  // namespace command
