// hyphenate: inserts a separator at every permitted break of the words of a text, or prints the
// fragments of one word per line. Reads and writes in bounded buffers, so input of any size
// streams through in constant memory.
#include <fcntl.h>
#include <getopt.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;

namespace {

constexpr std::string_view usage =
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

// Reads this much at a time.
constexpr std::size_t chunkSize = std::size_t{1} << 16;
// Text held back because it may end inside a word, or a line still waiting for its end, never
// grows past this: beyond it the text is let through (see processText and processWords).
constexpr std::size_t holdLimit = std::size_t{1} << 20;

// A failed write to standard output, after which nothing more is worth doing.
struct OutputError {
  int error;
};

void write(std::string_view text) {
  if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
    throw OutputError{errno};
  }
}

struct Options {
  std::optional<hy::Language> language;
  std::string separator = "-";
  bool words = false;
};

// Reads `input` to its end, appending to `pending`; after each read `consume(pending, finished)`
// takes what it can from the front. A read returns what is there, so text typed or piped in
// slowly comes out as it arrives. False, with errno set, when reading failed.
template <class Consume>
bool readChunks(int input, std::string& pending, Consume consume) {
  while (true) {
    const std::size_t held = pending.size();
    pending.resize(held + chunkSize);
    ssize_t got;
    do {
      got = ::read(input, pending.data() + held, chunkSize);
    } while (got < 0 && errno == EINTR);
    pending.resize(held + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    if (got <= 0) {
      const int error = got < 0 ? errno : 0;
      consume(pending, true);
      errno = error;
      return error == 0;
    }
    consume(pending, false);
    if (static_cast<std::size_t>(got) < chunkSize && std::fflush(stdout) != 0) {
      throw OutputError{errno};
    }
  }
}

// Bytes that are a letter in no language: a cut just after one never falls inside a word, nor
// inside a UTF-8 sequence. "." and the digits are never letters; the library's tests check that
// no language's patterns or character table makes a letter of the others.
bool endsNoWord(char byte) {
  return std::strchr(" \t\n\r\f\v.0123456789<>", byte) != nullptr && byte != '\0';
}

// How much of `pending` can be hyphenated now: up to its last byte that ends no word. A run
// longer than holdLimit without one is cut at a character boundary (its two halves are then
// hyphenated as separate words), which bounds the memory held.
std::size_t safeEnd(std::string_view pending) {
  std::size_t end = pending.size();
  while (end > 0 && !endsNoWord(pending[end - 1]))
    --end;
  if (end > 0 || pending.size() < holdLimit) return end;
  // No well-formed sequence spans a cut before a byte that is no continuation byte (10xxxxxx),
  // nor one before a continuation byte that follows three others.
  const auto isContinuation = [&](std::size_t at) {
    return (static_cast<unsigned char>(pending[at]) & 0xC0) == 0x80;
  };
  for (end = pending.size() - 1; end > pending.size() - 4; --end) {
    if (!isContinuation(end)) return end;
  }
  return isContinuation(end) ? pending.size() - 1 : end;
}

bool processText(int input, const Options& options, const hy::Hyphenator& hyphenator) {
  std::string pending;
  return readChunks(input, pending, [&](std::string& text, bool finished) {
    const std::size_t end = finished ? text.size() : safeEnd(text);
    if (end == 0) return;
    write(hy::hyphenateText(hyphenator, std::string_view(text).substr(0, end), options.separator));
    text.erase(0, end);
  });
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
  write(result);
}

// A line longer than holdLimit is no word: it is copied unchanged, which bounds the memory held.
bool processWords(int input, const Options& options, const hy::Hyphenator& hyphenator) {
  std::string pending;
  std::string result;
  bool copyingLongLine = false;
  return readChunks(input, pending, [&](std::string& text, bool finished) {
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t newline = text.find('\n', start);
      if (newline == std::string::npos) break;
      const std::string_view line = std::string_view(text).substr(start, newline + 1 - start);
      if (copyingLongLine) {
        write(line);
        copyingLongLine = false;
      } else {
        writeWord(line, options, hyphenator, result);
      }
      start = newline + 1;
    }
    text.erase(0, start);
    if (copyingLongLine || text.size() >= holdLimit) {
      write(text);
      text.clear();
      copyingLongLine = !finished;
    } else if (finished && !text.empty()) {
      writeWord(text, options, hyphenator, result);
      text.clear();
    }
  });
}

// Processes one named file ("-" is standard input); false when it could not be read whole.
bool processFile(const char* name, const Options& options, const hy::Hyphenator& hyphenator) {
  const bool standardInput = std::strcmp(name, "-") == 0;
  const int input = standardInput ? STDIN_FILENO : ::open(name, O_RDONLY);
  if (input < 0) {
    std::fprintf(stderr, "hyphenate: cannot open '%s': %s\n", name, std::strerror(errno));
    return false;
  }
  const bool ok = options.words ? processWords(input, options, hyphenator)
                                : processText(input, options, hyphenator);
  if (!ok) {
    std::fprintf(stderr, "hyphenate: error reading '%s': %s\n",
                 standardInput ? "standard input" : name, std::strerror(errno));
  }
  if (!standardInput) ::close(input);
  return ok;
}

int usageError() {
  std::fputs(usage.data(), stderr);
  return 2;
}

// The exit status after a listing or the help was written.
int finishListing() {
  if (std::fflush(stdout) == 0) return 0;
  std::fprintf(stderr, "hyphenate: cannot write the output: %s\n", std::strerror(errno));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  enum { soft = 256, listLanguages, help, version };
  const option longOptions[] = {{"language", required_argument, nullptr, 'l'},
                                {"separator", required_argument, nullptr, 's'},
                                {"soft", no_argument, nullptr, soft},
                                {"words", no_argument, nullptr, 'w'},
                                {"list-languages", no_argument, nullptr, listLanguages},
                                {"help", no_argument, nullptr, help},
                                {"version", no_argument, nullptr, version},
                                {nullptr, 0, nullptr, 0}};
  Options options;
  bool separatorGiven = false;
  bool softGiven = false;
  int listing = 0;  // help, version or listLanguages when one was asked for
  const char* languageTag = nullptr;
  int option;
  while ((option = getopt_long(argc, argv, "l:s:w", longOptions, nullptr)) != -1) {
    switch (option) {
      case 'l':
        languageTag = optarg;
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
      case help:
      case version:
        if (listing == 0 || option == help) listing = option;
        break;
      default:
        return usageError();
    }
  }
  if (separatorGiven && softGiven) {
    std::fputs("hyphenate: -s and --soft cannot be used together\n", stderr);
    return usageError();
  }
  switch (listing) {
    case help:
      std::fputs(usage.data(), stdout);
      return finishListing();
    case version:
      std::printf("hyphenate (hyphenkit) %s\n", HYPHENKIT_VERSION);
      return finishListing();
    case listLanguages:
      for (const hy::Language language : hy::allLanguages()) {
        std::printf("%-16s %s\n", std::string(hy::languageAffix(language)).c_str(),
                    hy::show(language).c_str());
      }
      return finishListing();
  }
  if (languageTag != nullptr) {
    options.language = hy::languageFromTag(languageTag);
    if (!options.language) {
      std::fprintf(stderr, "hyphenate: unknown language '%s' (see hyphenate --list-languages)\n",
                   languageTag);
      return 2;
    }
  }

  static char outputBuffer[chunkSize];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  try {
    const hy::Hyphenator& hyphenator =
        hy::languageHyphenator(options.language.value_or(hy::Language::English_US));
    bool allRead = true;
    if (optind == argc) {
      allRead = processFile("-", options, hyphenator);
    } else {
      for (int i = optind; i < argc; ++i) {
        allRead = processFile(argv[i], options, hyphenator) && allRead;
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
