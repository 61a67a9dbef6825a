// hyphenate: inserts a separator at every permitted break of the words of a text or an HTML
// document, or prints the fragments of one word per line. Reads and writes in bounded buffers,
// so input of any size streams through in constant memory.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "options.hpp"
#include "stream.hpp"
#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;
using command::Format;
using command::Options;
using command::printable;

namespace {

command::Output output(STDOUT_FILENO);

void writeOutput(std::string_view text) {
  output.write(text);
}

// What every input is hyphenated with.
struct Setup {
  const Options& options;
  // The language for text outside any lang attribute; nothing for one without patterns, whose
  // text is copied unchanged.
  std::optional<hy::Language> language;
  // Words mode's: the language's own, or one with the minimums asked for; nothing in the other
  // modes, and for a language without patterns.
  std::optional<hy::Hyphenator> wordHyphenator;
  std::string wordSeparator;

  hy::TextOptions textOptions(Format format) const {
    hy::TextOptions text;
    text.separator = command::separatorOf(options, format);
    text.minWordLength = options.minLength;
    text.leftMin = options.leftMin;
    text.rightMin = options.rightMin;
    text.skipNonProse = options.skipNonProse;
    return text;
  }
};

// Reads `input` to its end, handing each chunk to `push` and then the end to `finish`. Output is
// flushed whenever the input pauses, so text typed or piped in slowly comes out as it arrives.
// False, with errno set, when reading failed; what was read is still processed.
template <class Push, class Finish>
bool readAll(int input, Push push, Finish finish) {
  command::Reader reader(input);
  for (std::string_view bytes; !(bytes = reader.read()).empty();) {
    push(bytes);
    if (reader.drained()) output.flush();
  }
  finish();
  errno = reader.error();
  return reader.error() == 0;
}

bool copyAll(int input) {
  return readAll(input, writeOutput, [] {});
}

bool processText(int input, const Setup& setup) {
  if (!setup.language) return copyAll(input);
  hy::TextStream stream(hy::languageHyphenator(*setup.language), setup.textOptions(Format::text));
  const auto sink = [](std::string_view piece) { writeOutput(piece); };
  return readAll(
      input, [&](std::string_view bytes) { stream.write(bytes, sink); },
      [&] { stream.finish(sink); });
}

bool processHtml(int input, bool xhtml, const Setup& setup) {
  hy::MarkupOptions markup;
  markup.text = setup.textOptions(Format::html);
  markup.syntax = xhtml ? hy::MarkupSyntax::Xhtml : hy::MarkupSyntax::Detect;
  // Text outside every lang is left alone when the language has no patterns.
  hy::MarkupStream stream(setup.language, markup);
  const auto sink = [](std::string_view piece) { writeOutput(piece); };
  return readAll(
      input, [&](std::string_view bytes) { stream.write(bytes, sink); },
      [&] { stream.finish(sink); });
}

// One line of words mode, with its line feed (and a carriage return before it) kept. The
// fragments and separators go out one by one, slices of the line, so that neither a long
// separator nor many breaks cost memory.
void writeWord(std::string_view line, const Setup& setup) {
  std::string_view ending;
  if (line.ends_with("\r\n")) {
    ending = "\r\n";
  } else if (line.ends_with('\n') || line.ends_with('\r')) {
    ending = line.substr(line.size() - 1);
  }
  line.remove_suffix(ending.size());
  const std::size_t minLength = setup.options.minLength;
  if (!setup.wordHyphenator || (minLength > 0 && command::characterCount(line) < minLength)) {
    writeOutput(line);
  } else {
    static std::vector<std::size_t> breaks;  // its capacity kept from line to line
    hy::hyphenationPoints(*setup.wordHyphenator, line, breaks);
    std::size_t start = 0;
    for (const std::size_t at : breaks) {
      writeOutput(line.substr(start, at - start));
      writeOutput(setup.wordSeparator);
      start = at;
    }
    writeOutput(line.substr(start));
  }
  writeOutput(ending);
}

bool processWords(int input, const Setup& setup) {
  command::LineWindow window([&](std::string_view line) { writeWord(line, setup); }, writeOutput);
  return readAll(
      input, [&](std::string_view bytes) { window.push(bytes); }, [&] { window.finish(); });
}

// Processes one named file ("-" is standard input); false when it could not be read whole.
bool processFile(const std::string& name, const Setup& setup) {
  const bool standardInput = name == "-";
  const int input = standardInput ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY);
  if (input < 0) {
    std::fprintf(stderr, "hyphenate: cannot open '%s': %s\n", printable(name).c_str(),
                 std::strerror(errno));
    return false;
  }
  bool ok = false;
  switch (command::formatOf(setup.options, name)) {
    case Format::words:
      ok = processWords(input, setup);
      break;
    case Format::html:
      ok = processHtml(input, command::namedXhtml(name), setup);
      break;
    default:
      ok = processText(input, setup);
  }
  if (!ok) {
    std::fprintf(stderr, "hyphenate: error reading '%s': %s\n",
                 standardInput ? "standard input" : printable(name).c_str(), std::strerror(errno));
  }
  if (!standardInput) ::close(input);
  return ok;
}

// The exit status after a listing or the help was written.
int finishListing() {
  if (std::fflush(stdout) == 0) return 0;
  std::fprintf(stderr, "hyphenate: cannot write the output: %s\n", std::strerror(errno));
  return 1;
}

// A tag in the case it is usually written in: regions upper-case, scripts capitalised
// ("de-ch" as "de-CH", "sr-latn" as "sr-Latn").
std::string displayedTag(std::string_view tag) {
  std::string shown(tag);
  for (std::size_t start = shown.find('-'); start != std::string::npos;) {
    const std::size_t end = std::min(shown.find('-', start + 1), shown.size());
    const std::size_t length = end - start - 1;
    for (std::size_t i = start + 1; i < end; ++i) {
      if (length == 2 || (length == 4 && i == start + 1)) {
        shown[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(shown[i])));
      }
    }
    start = end < shown.size() ? end : std::string::npos;
  }
  return shown;
}

// One line per language: its code, its name and the short tags that also select it.
void listLanguages() {
  for (const hy::Language language : hy::allLanguages()) {
    std::string line = std::string(hy::languageAffix(language));
    line.resize(std::max<std::size_t>(line.size() + 1, 17), ' ');
    line += hy::show(language);
    const std::vector<std::string_view> tags = hy::languageTags(language);
    if (!tags.empty()) line.resize(std::max<std::size_t>(line.size() + 1, 42), ' ');
    for (const std::string_view tag : tags) {
      line += displayedTag(tag);
      line += tag == tags.back() ? "" : " ";
    }
    std::printf("%s\n", line.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = command::parseOptions(std::vector<std::string>(argv, argv + argc));
  if (const auto* error = std::get_if<command::OptionError>(&parsed)) {
    std::fprintf(stderr, "hyphenate: %s\nTry 'hyphenate --help' for more information.\n",
                 error->message.c_str());
    return 2;
  }
  const Options& options = std::get<Options>(parsed);
  switch (options.action) {
    case command::Action::help:
      std::fputs(command::usage.data(), stdout);
      return finishListing();
    case command::Action::version:
      std::printf("hyphenate (hyphenkit) %s\n", HYPHENKIT_VERSION);
      return finishListing();
    case command::Action::listLanguages:
      listLanguages();
      return finishListing();
    case command::Action::hyphenate:
      break;
  }
  Setup setup{options, hy::Language::English_US, std::nullopt,
              command::separatorOf(options, Format::words)};
  if (options.language) {
    // A tag of a language without patterns (zh, ja) is no error: its text is copied unchanged.
    setup.language = hy::languageFromTag(*options.language);
    if (!setup.language && !hy::isLanguageTag(*options.language)) {
      std::fprintf(stderr, "hyphenate: unknown language '%s' (see hyphenate --list-languages)\n",
                   printable(*options.language).c_str());
      return 2;
    }
  }

  try {
    if (setup.language && options.format == Format::words) {
      const hy::Hyphenator& hyphenator = hy::languageHyphenator(*setup.language);
      setup.wordHyphenator = hyphenator;
      if (options.leftMin || options.rightMin) {
        // Built from the language's own fields, so it gives the breaks running text gives with
        // the same minimums (where, too, a minimum below 1 counts as 1).
        setup.wordHyphenator = hy::Hyphenator(
            hy::hyphenatorChars(hyphenator), hy::hyphenatorPatterns(hyphenator),
            hy::hyphenatorExceptions(hyphenator),
            std::max<std::int64_t>(options.leftMin.value_or(hy::hyphenatorLeftMin(hyphenator)), 1),
            std::max<std::int64_t>(options.rightMin.value_or(hy::hyphenatorRightMin(hyphenator)),
                                   1));
      }
    }
    bool allRead = true;
    if (options.files.empty()) {
      allRead = processFile("-", setup);
    } else {
      for (const std::string& file : options.files) {
        allRead = processFile(file, setup) && allRead;
      }
    }
    output.flush();
    return allRead ? 0 : 1;
  } catch (const command::OutputError& failure) {
    std::fprintf(stderr, "hyphenate: cannot write the output: %s\n", std::strerror(failure.error));
  } catch (const std::exception& failure) {
    try {
      output.flush();
    } catch (const command::OutputError&) {
      // The library's failure is the one to report.
    }
    std::fprintf(stderr, "hyphenate: %s\n", failure.what());
  }
  return 1;
}
