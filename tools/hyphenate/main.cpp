// hyphenate: inserts a separator at every permitted break of the words of a text, or prints the
// fragments of one word per line. Reads and writes in bounded buffers, so input of any size
// streams through in constant memory.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "options.hpp"
#include "stream.hpp"
#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;
using command::Options;

namespace {

// A failed write to standard output, after which nothing more is worth doing.
struct OutputError {
  int error;
};

void writeOutput(std::string_view text) {
  if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
    throw OutputError{errno};
  }
}

// Reads `input` to its end, handing each chunk to `push` and then the end to `finish`. Output is
// flushed whenever the input pauses, so text typed or piped in slowly comes out as it arrives.
// False, with errno set, when reading failed; what was read is still processed.
template <class Push, class Finish>
bool readAll(int input, Push push, Finish finish) {
  command::Reader reader(input);
  for (std::string_view bytes; !(bytes = reader.read()).empty();) {
    push(bytes);
    if (reader.drained() && std::fflush(stdout) != 0) throw OutputError{errno};
  }
  finish();
  errno = reader.error();
  return reader.error() == 0;
}

bool processText(int input, const Options& options, const hy::Hyphenator& hyphenator) {
  command::TextWindow window;
  const auto hyphenateText = [&](std::string_view text) {
    if (!text.empty()) writeOutput(hy::hyphenateText(hyphenator, text, options.separator));
  };
  return readAll(
      input, [&](std::string_view bytes) { hyphenateText(window.push(bytes)); },
      [&] { hyphenateText(window.finish()); });
}

// One line of words mode, with its line feed (and a carriage return before it) kept.
void writeWord(std::string_view line, const Options& options, const hy::Hyphenator& hyphenator,
               std::string& result) {
  std::string_view ending;
  if (line.ends_with("\r\n")) {
    ending = "\r\n";
  } else if (line.ends_with('\n') || line.ends_with('\r')) {
    ending = line.substr(line.size() - 1);
  }
  line.remove_suffix(ending.size());
  result.clear();
  for (const std::string& fragment : hy::hyphenate(hyphenator, line)) {
    if (!result.empty()) result += options.separator;
    result += fragment;
  }
  result += ending;
  writeOutput(result);
}

bool processWords(int input, const Options& options, const hy::Hyphenator& hyphenator) {
  std::string result;
  command::LineWindow window(
      [&](std::string_view line) { writeWord(line, options, hyphenator, result); }, writeOutput);
  return readAll(
      input, [&](std::string_view bytes) { window.push(bytes); }, [&] { window.finish(); });
}

// Processes one named file ("-" is standard input); false when it could not be read whole.
bool processFile(const std::string& name, const Options& options,
                 const hy::Hyphenator& hyphenator) {
  const bool standardInput = name == "-";
  const int input = standardInput ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY);
  if (input < 0) {
    std::fprintf(stderr, "hyphenate: cannot open '%s': %s\n", name.c_str(), std::strerror(errno));
    return false;
  }
  const bool ok = options.words ? processWords(input, options, hyphenator)
                                : processText(input, options, hyphenator);
  if (!ok) {
    std::fprintf(stderr, "hyphenate: error reading '%s': %s\n",
                 standardInput ? "standard input" : name.c_str(), std::strerror(errno));
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

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = command::parseOptions(std::vector<std::string>(argv, argv + argc));
  if (const auto* error = std::get_if<command::OptionError>(&parsed)) {
    std::fprintf(stderr, "hyphenate: %s\n", error->message.c_str());
    std::fputs(command::usage.data(), stderr);
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
      for (const hy::Language language : hy::allLanguages()) {
        std::printf("%-16s %s\n", std::string(hy::languageAffix(language)).c_str(),
                    hy::show(language).c_str());
      }
      return finishListing();
    case command::Action::hyphenate:
      break;
  }
  hy::Language language = hy::Language::English_US;
  if (options.language) {
    const auto chosen = hy::languageFromTag(*options.language);
    if (!chosen) {
      std::fprintf(stderr, "hyphenate: unknown language '%s' (see hyphenate --list-languages)\n",
                   options.language->c_str());
      return 2;
    }
    language = *chosen;
  }

  static char outputBuffer[command::chunkSize];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  try {
    const hy::Hyphenator& hyphenator = hy::languageHyphenator(language);
    bool allRead = true;
    if (options.files.empty()) {
      allRead = processFile("-", options, hyphenator);
    } else {
      for (const std::string& file : options.files) {
        allRead = processFile(file, options, hyphenator) && allRead;
      }
    }
    if (std::fflush(stdout) != 0) throw OutputError{errno};
    return allRead ? 0 : 1;
  } catch (const OutputError& failure) {
    std::fprintf(stderr, "hyphenate: cannot write the output: %s\n", std::strerror(failure.error));
  } catch (const std::exception& failure) {
    std::fflush(stdout);
    std::fprintf(stderr, "hyphenate: %s\n", failure.what());
  }
  return 1;
}
