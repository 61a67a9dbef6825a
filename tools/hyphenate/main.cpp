// hyphenate: inserts a separator at every permitted break of the words of a text, or prints
// the fragments of one word per line.
#include <getopt.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;

namespace {

constexpr std::string_view usage =
    "Usage: hyphenate [-l LANG] [-s SEP | --soft] [-w] [FILE...]\n"
    "       hyphenate --list-languages | --help | --version\n"
    "\n"
    "Copies each FILE (standard input when there is none) to standard output with SEP inserted\n"
    "at every permitted break of every word.\n"
    "\n"
    "  -l, --language LANG   language tag or name, e.g. en-us, de, fr, English_GB (default en-us)\n"
    "  -s, --separator SEP   text inserted at each break (default \"-\")\n"
    "      --soft            insert U+00AD SOFT HYPHEN (for HTML and e-books)\n"
    "  -w, --words           every input line is one word; print its fragments joined by SEP\n"
    "      --list-languages  print the languages and their tags\n"
    "      --help            print this help\n"
    "      --version         print the version\n";

// Writes through one large buffer; remembers a failed write so that the exit status tells.
class Output {
 public:
  Output() { std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16); }
  void write(std::string_view text) {
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
      failed_ = true;
    }
  }
  bool finish() { return std::fflush(stdout) == 0 && !failed_; }

 private:
  bool failed_ = false;
};

struct Options {
  hy::Language language = hy::Language::English_US;
  std::string separator = "-";
  bool words = false;
};

// Text mode: a chunk may only be hyphenated up to a point that cannot lie inside a word, so the
// unfinished tail waits for the next read. A tail that grows past `longest` without any space
// is cut at a character boundary, which keeps memory bounded on input without spaces.
constexpr std::size_t chunkSize = 1 << 16;
constexpr std::size_t longest = 1 << 20;

std::size_t safeEnd(std::string_view buffer) {
  const std::size_t space = buffer.find_last_of(" \t\n\r\f\v");
  if (space != std::string_view::npos) return space + 1;
  if (buffer.size() < longest) return 0;
  std::size_t end = buffer.size();
  // Step back over continuation bytes so that a multi-byte character stays whole.
  while (end > buffer.size() - 4 && (static_cast<unsigned char>(buffer[end - 1]) & 0xC0) == 0x80) {
    --end;
  }
  if (end > 0 && static_cast<unsigned char>(buffer[end - 1]) >= 0xC0) --end;
  return end;
}

void processText(std::FILE* in, const Options& options, const hy::Hyphenator& hyphenator,
                 Output& out) {
  std::string buffer;
  char chunk[chunkSize];
  std::size_t got;
  while ((got = std::fread(chunk, 1, chunkSize, in)) > 0) {
    buffer.append(chunk, got);
    const std::size_t end = safeEnd(buffer);
    if (end == 0) continue;
    out.write(hy::hyphenateText(hyphenator, std::string_view(buffer).substr(0, end),
                                options.separator));
    buffer.erase(0, end);
  }
  out.write(hy::hyphenateText(hyphenator, buffer, options.separator));
}

void processWords(std::FILE* in, const Options& options, const hy::Hyphenator& hyphenator,
                  Output& out) {
  char* line = nullptr;
  std::size_t capacity = 0;
  ssize_t length;
  std::string result;
  while ((length = getline(&line, &capacity, in)) >= 0) {
    std::string_view word(line, static_cast<std::size_t>(length));
    std::string_view ending;
    if (word.ends_with("\r\n")) {
      ending = "\r\n";
    } else if (word.ends_with('\n')) {
      ending = "\n";
    }
    word.remove_suffix(ending.size());
    result.clear();
    for (const auto& fragment : hy::hyphenate(hyphenator, word)) {
      if (!result.empty()) result += options.separator;
      result += fragment;
    }
    result += ending;
    out.write(result);
  }
  std::free(line);
}

// Processes one named file ("-" is standard input); false when it could not be read.
bool processFile(const char* name, const Options& options, const hy::Hyphenator& hyphenator,
                 Output& out) {
  const bool standardInput = std::strcmp(name, "-") == 0;
  std::FILE* in = standardInput ? stdin : std::fopen(name, "rb");
  if (in == nullptr) {
    std::fprintf(stderr, "hyphenate: cannot read '%s': %s\n", name, std::strerror(errno));
    return false;
  }
  if (options.words) {
    processWords(in, options, hyphenator, out);
  } else {
    processText(in, options, hyphenator, out);
  }
  const bool ok = !std::ferror(in);
  if (!ok) std::fprintf(stderr, "hyphenate: error reading '%s': %s\n", name, std::strerror(errno));
  if (!standardInput) std::fclose(in);
  return ok;
}

int usageError() {
  std::fputs(usage.data(), stderr);
  return 2;
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
  bool separatorGiven = false, softGiven = false;
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
        for (hy::Language language : hy::enumFrom(hy::Language::Afrikaans)) {
          std::printf("%-16s %s\n", std::string(hy::languageAffix(language)).c_str(),
                      hy::show(language).c_str());
        }
        return std::fflush(stdout) == 0 ? 0 : 1;
      case help:
        std::fputs(usage.data(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
      case version:
        std::printf("hyphenate (hyphenkit) %s\n", HYPHENKIT_VERSION);
        return std::fflush(stdout) == 0 ? 0 : 1;
      default:
        return usageError();
    }
  }
  if (separatorGiven && softGiven) {
    std::fputs("hyphenate: -s and --soft cannot be used together\n", stderr);
    return usageError();
  }
  if (languageTag != nullptr) {
    const auto language = hy::languageFromTag(languageTag);
    if (!language) {
      std::fprintf(stderr, "hyphenate: unknown language '%s' (see hyphenate --list-languages)\n",
                   languageTag);
      return 2;
    }
    options.language = *language;
  }

  const hy::Hyphenator& hyphenator = hy::languageHyphenator(options.language);
  Output out;
  bool allRead = true;
  if (optind == argc) {
    allRead = processFile("-", options, hyphenator, out);
  } else {
    for (int i = optind; i < argc; ++i) {
      allRead = processFile(argv[i], options, hyphenator, out) && allRead;
    }
  }
  if (!out.finish()) {
    std::fprintf(stderr, "hyphenate: error writing output: %s\n", std::strerror(errno));
    return 1;
  }
  return allRead ? 0 : 1;
}
