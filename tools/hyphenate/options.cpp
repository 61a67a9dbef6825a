#include "options.hpp"

#include <getopt.h>
#include <utf8proc.h>

#include <cctype>
#include <charconv>
#include <cstdint>
#include <system_error>

namespace command {

const std::string_view usage =
    "Usage: hyphenate [OPTION]... [FILE]...\n"
    "       hyphenate --list-languages | --help | --version\n"
    "\n"
    "Copies each FILE (standard input when there is none, or for \"-\") to standard output with\n"
    "SEP inserted at every permitted break of every word. Files named *.html, *.htm or *.xhtml\n"
    "are read as HTML: only their text is hyphenated, the markup is copied as it is.\n"
    "\n"
    "  -l, --language LANG   language: a tag such as en, de-CH, pt-BR, a code from\n"
    "                        --list-languages, or a name such as English_GB (default en-us)\n"
    "  -s, --separator SEP   text inserted at each break (default \"-\", in HTML \"&#173;\")\n"
    "      --soft            insert U+00AD SOFT HYPHEN (for HTML and e-books)\n"
    "  -w, --words           every input line is one word; print its fragments joined by SEP\n"
    "      --html            read every input as HTML or XHTML\n"
    "      --text            read every input as running text, even one named *.html\n"
    "      --min-length N    leave words of fewer than N characters whole\n"
    "      --left-min N      put at least N characters before the first break of a word\n"
    "      --right-min N     put at least N characters after the last break of a word\n"
    "      --all-tokens      hyphenate URLs, e-mail addresses, paths, identifiers, options\n"
    "                        and hashtags too (by default they are copied unchanged)\n"
    "      --list-languages  print the language codes, names and the tags that select them\n"
    "  -h, --help            print this help\n"
    "      --version         print the version\n"
    "\n"
    "Exit status: 0 on success, 1 when a file could not be read or output not written,\n"
    "2 for a bad option or an unknown language.\n";

namespace {

enum LongOnly {
  soft = 256,
  html,
  text,
  minLength,
  leftMin,
  rightMin,
  allTokens,
  listLanguages,
  version
};

const option longOptions[] = {{"language", required_argument, nullptr, 'l'},
                              {"separator", required_argument, nullptr, 's'},
                              {"soft", no_argument, nullptr, soft},
                              {"words", no_argument, nullptr, 'w'},
                              {"html", no_argument, nullptr, html},
                              {"text", no_argument, nullptr, text},
                              {"min-length", required_argument, nullptr, minLength},
                              {"left-min", required_argument, nullptr, leftMin},
                              {"right-min", required_argument, nullptr, rightMin},
                              {"all-tokens", no_argument, nullptr, allTokens},
                              {"list-languages", no_argument, nullptr, listLanguages},
                              {"help", no_argument, nullptr, 'h'},
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
    const std::string letter = printable(std::string(1, static_cast<char>(optopt)));
    return result == ':' ? "option requires an argument -- '" + letter + "'"
                         : "invalid option -- '" + letter + "'";
  }
  // A refused option that getopt_long recognised has exactly one match: an abbreviation of it.
  const std::string matches = matchingOptions(argument);
  if (result == ':') return "option" + matches + " requires an argument";
  if (optopt != 0) return "option" + matches + " doesn't allow an argument";
  const std::string written = printable(argument.substr(0, argument.find('=')));
  if (matches.find(' ', 1) != std::string::npos && written != "--") {
    return "option '" + written + "' is ambiguous; possibilities:" + matches;
  }
  return "unrecognized option '" + written + "'";
}

// The option that set `format`, for messages.
std::string_view formatOption(Format format) {
  switch (format) {
    case Format::words:
      return "--words";
    case Format::html:
      return "--html";
    default:
      return "--text";
  }
}

// A count of characters as the user wrote it: digits only, no sign, within range.
template <class Number>
std::optional<Number> parseCount(std::string_view digits) {
  Number value{};
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || digits.front() == '-' || digits.front() == '+' || error != std::errc() ||
      end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return value;
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
  const auto setFormat = [&](Format format) -> std::optional<OptionError> {
    if (options.format != Format::automatic && options.format != format) {
      return OptionError{std::string(formatOption(options.format)) + " and " +
                         std::string(formatOption(format)) + " cannot be used together"};
    }
    options.format = format;
    return std::nullopt;
  };
  const auto invalidCount = [&](std::string_view option) {
    return OptionError{"invalid number for " + std::string(option) + ": '" + printable(optarg) +
                       "'"};
  };
  optind = 0;  // start afresh, as for a new program
  opterr = 0;
  int result;
  while ((result = getopt_long(argc, argv.data(), ":l:s:wh", longOptions, nullptr)) != -1) {
    std::optional<OptionError> error;
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
        error = setFormat(Format::words);
        break;
      case html:
        error = setFormat(Format::html);
        break;
      case text:
        error = setFormat(Format::text);
        break;
      case minLength:
        if (const auto count = parseCount<std::size_t>(optarg)) {
          options.minLength = *count;
        } else {
          error = invalidCount("--min-length");
        }
        break;
      case leftMin:
      case rightMin:
        if (const auto count = parseCount<std::int64_t>(optarg)) {
          (result == leftMin ? options.leftMin : options.rightMin) = *count;
        } else {
          error = invalidCount(result == leftMin ? "--left-min" : "--right-min");
        }
        break;
      case allTokens:
        options.skipNonProse = false;
        break;
      case listLanguages:
      case version:
      case 'h': {
        const auto action = result == 'h'       ? Action::help
                            : result == version ? Action::version
                                                : Action::listLanguages;
        // The first listing asked for wins, except that --help always does.
        if (options.action == Action::hyphenate || action == Action::help) options.action = action;
        break;
      }
      default:
        error = OptionError{describeRefusal(result, argv[optind - 1])};
    }
    if (error) return *error;
  }
  if (separatorGiven && softGiven) {
    return OptionError{"-s and --soft cannot be used together"};
  }
  for (int i = optind; i < argc; ++i)
    options.files.emplace_back(argv[i]);
  if (options.action == Action::listLanguages && !options.files.empty()) {
    return OptionError{"extra operand '" + printable(options.files.front()) + "'"};
  }
  return options;
}

namespace {

// The part of the file's name after its last ".", in lower case; empty when there is none.
std::string extensionOf(std::string_view file) {
  const std::size_t dot = file.rfind('.');
  if (dot == std::string_view::npos || file.find('/', dot) != std::string_view::npos) return {};
  std::string extension(file.substr(dot + 1));
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

}  // namespace

Format formatOf(const Options& options, std::string_view file) {
  if (options.format != Format::automatic) return options.format;
  const std::string extension = extensionOf(file);
  return extension == "html" || extension == "htm" || extension == "xhtml" ? Format::html
                                                                           : Format::text;
}

bool namedXhtml(std::string_view file) {
  return extensionOf(file) == "xhtml";
}

std::string printable(std::string_view text) {
  static constexpr char digits[] = "0123456789ABCDEF";
  const auto escape = [&](std::string& out, char kind, std::uint32_t value, int width) {
    out += '\\';
    out += kind;
    for (int shift = 4 * (width - 1); shift >= 0; shift -= 4)
      out += digits[(value >> shift) & 0xF];
  };
  std::string out;
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  for (std::size_t at = 0; at < text.size();) {
    utf8proc_int32_t c = 0;
    const utf8proc_ssize_t length =
        utf8proc_iterate(bytes + at, static_cast<utf8proc_ssize_t>(text.size() - at), &c);
    if (length <= 0) {
      escape(out, 'x', bytes[at], 2);
      ++at;
      continue;
    }
    static constexpr std::string_view named = R"(\a\b\t\n\v\f\r)";  // for U+0007 to U+000D
    const utf8proc_category_t category = utf8proc_category(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c >= 0x07 && c <= 0x0D) {
      out += named.substr(2 * static_cast<std::size_t>(c - 0x07), 2);
    } else if (c < 0x80 && category == UTF8PROC_CATEGORY_CC) {
      escape(out, 'x', static_cast<std::uint32_t>(c), 2);
    } else if (category == UTF8PROC_CATEGORY_CC || category == UTF8PROC_CATEGORY_CF ||
               category == UTF8PROC_CATEGORY_ZL || category == UTF8PROC_CATEGORY_ZP) {
      // C1 controls, and characters that are invisible or reorder what follows (bidirectional
      // overrides, line separators).
      escape(out, c > 0xFFFF ? 'U' : 'u', static_cast<std::uint32_t>(c), c > 0xFFFF ? 8 : 4);
    } else {
      out.append(text.substr(at, static_cast<std::size_t>(length)));
    }
    at += static_cast<std::size_t>(length);
  }
  return out;
}

std::string separatorOf(const Options& options, Format format) {
  if (options.separator) return *options.separator;
  return format == Format::html ? "&#173;" : "-";
}

}  // namespace command
