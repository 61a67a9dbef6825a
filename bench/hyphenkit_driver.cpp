// Hyphenates every word of a list with hyphenkit, for comparison with libhyphen's driver.
//
//   hyphenkit_driver CODE WORDS [PASSES] [--entry=ENTRY] [--threads=N]
//   hyphenkit_driver --first-use CODE
//   hyphenkit_driver --load-all
//   hyphenkit_driver --sizes
//
// CODE is a language's file code ("en-us", "de-1996"); WORDS is UTF-8, one word a line. The
// language's own minimums are used (those of the prebuilt hyphenator). Prints key=value lines:
// ENTRY is points (hyphenationPoints, the default), hyphenate, utf8 or utf16 (hyphenationPoints of
// the words in UTF-8 or UTF-16), or c-utf8, c-utf16, c-utf32 (the C interface).
// words, breaks, load_ms (first use: loading, decompressing, parsing and the first hyphenate),
// heap_bytes (live heap held after that first use), words_per_second (best pass; with
// --threads=N the total of N threads sharing the one hyphenator), words_per_cpu_second (one
// thread's words over its own processor time, slowest thread of the best pass). The functions
// hyphenateAll and firstUse are the ones to give valgrind's --toggle-collect. --first-use times
// and weighs the first use of one language alone (load_ms, heap_bytes), --load-all that of all of
// them one after another, and --sizes lists the bytes each language compiled into the library adds.
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <latch>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/utf8_encode.hpp"
#include "hyphenkit.h"
#include "language/compiled_languages.hpp"
#include "support/support.hpp"
#include "text/hyphenation.hpp"

namespace hk = text::hyphenation;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double threadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

hk::Language languageOf(std::string_view code) {
  for (hk::Language language : hk::allLanguages()) {
    if (hk::languageAffix(language) == code) return language;
  }
  std::cerr << "unknown language code " << code << "\n";
  std::exit(2);
}

std::vector<std::u32string> readWords(const char* path) {
  std::ifstream in(path);
  if (!in) {
    std::perror(path);
    std::exit(1);
  }
  return hk::testing::readWords(in);
}

// hyphenationPoints of every word, in whichever form the words are.
template <class Word>
long pointsOfAll(const hk::Hyphenator& hyphenator, const std::vector<Word>& words,
                 std::vector<std::size_t>& points) {
  long breaks = 0;
  for (const Word& word : words) {
    hk::hyphenationPoints(hyphenator, word, points);
    breaks += static_cast<long>(points.size());
  }
  return breaks;
}

}  // namespace

// Kept out of line and unmangled so that valgrind can count exactly these instructions.
extern "C" __attribute__((noinline)) long hyphenateAll(const hk::Hyphenator* hyphenator,
                                                       const std::vector<std::u32string>* words,
                                                       std::vector<std::size_t>* points) {
  return pointsOfAll(*hyphenator, *words, *points);
}

// The same words as UTF-8 and UTF-16, made once before timing, for the entry points that take
// them.
struct Encoded {
  std::vector<std::string> utf8;
  std::vector<std::u16string> utf16;
  std::vector<std::vector<std::uint32_t>> utf32;
};

Encoded encode(const std::vector<std::u32string>& words) {
  Encoded encoded;
  for (const std::u32string& word : words) {
    const std::string utf8 = hk::detail::encodeUtf8(word);
    const std::u16string utf16 = hk::testing::utf16Of(word);
    encoded.utf8.push_back(utf8);
    encoded.utf16.push_back(utf16);
    encoded.utf32.emplace_back(word.begin(), word.end());
  }
  return encoded;
}

extern "C" __attribute__((noinline)) long hyphenateAllUtf8(const hk::Hyphenator* hyphenator,
                                                           const Encoded* words,
                                                           std::vector<std::size_t>* points) {
  return pointsOfAll(*hyphenator, words->utf8, *points);
}

extern "C" __attribute__((noinline)) long hyphenateAllUtf16(const hk::Hyphenator* hyphenator,
                                                            const Encoded* words,
                                                            std::vector<std::size_t>* points) {
  return pointsOfAll(*hyphenator, words->utf16, *points);
}

// Through the C interface, in the form `form` names (8, 16 or 32).
extern "C" __attribute__((noinline)) long hyphenateAllC(const hyphenkit_hyphenator* hyphenator,
                                                        const Encoded* words, int form) {
  long breaks = 0;
  std::size_t offsets[256];
  for (std::size_t k = 0; k < words->utf8.size(); ++k) {
    if (form == 8) {
      breaks += hyphenkit_breaks_utf8(hyphenator, words->utf8[k].data(), words->utf8[k].size(),
                                      offsets, 256);
    } else if (form == 16) {
      breaks += hyphenkit_breaks_utf16(
          hyphenator, reinterpret_cast<const std::uint16_t*>(words->utf16[k].data()),
          words->utf16[k].size(), offsets, 256);
    } else {
      breaks += hyphenkit_breaks_utf32(hyphenator, words->utf32[k].data(), words->utf32[k].size(),
                                       offsets, 256);
    }
  }
  return breaks;
}

extern "C" __attribute__((noinline)) long hyphenateAllFragments(
    const hk::Hyphenator* hyphenator, const std::vector<std::u32string>* words) {
  long breaks = 0;
  for (const std::u32string& word : *words) {
    breaks += static_cast<long>(hk::hyphenate(*hyphenator, word).size()) - 1;
  }
  return breaks;
}

// Everything the first hyphenate of a language needs: the character table, the exceptions, the
// patterns and whatever is derived from them.
extern "C" __attribute__((noinline)) const hk::Hyphenator* firstUse(hk::Language language) {
  const hk::Hyphenator& hyphenator = hk::languageHyphenator(language);
  std::vector<std::size_t> points;
  hk::hyphenationPoints(hyphenator, U"hyphenation", points);
  return &hyphenator;
}

int firstUseOnly(std::string_view code) {
  const hk::Language language = languageOf(code);
  const std::size_t heapBefore = mallinfo2().uordblks;
  const auto start = Clock::now();
  firstUse(language);
  const double load = secondsSince(start);
  std::printf("load_ms=%.4f\nheap_bytes=%zu\n", load * 1e3, mallinfo2().uordblks - heapBefore);
  return 0;
}

int loadAll() {
  const std::size_t heapBefore = mallinfo2().uordblks;
  const auto start = Clock::now();
  for (hk::Language language : hk::allLanguages())
    firstUse(language);
  const double load = secondsSince(start);
  std::printf("languages=%d\nload_all_ms=%.3f\nload_all_heap_bytes=%zu\n", hk::languageCount,
              load * 1e3, mallinfo2().uordblks - heapBefore);
  return 0;
}

int sizes() {
  std::size_t total = hk::detail::compiledOutputBytes();
  for (const hk::detail::CompiledLanguage& language : hk::detail::compiledLanguages()) {
    std::printf("size_%.*s=%zu%s%.*s\n", static_cast<int>(language.code.size()),
                language.code.data(), language.bytes,
                language.sharesTrieWith.empty() ? "" : " shares ",
                static_cast<int>(language.sharesTrieWith.size()), language.sharesTrieWith.data());
    total += language.bytes;
  }
  std::printf("size_shared=%zu\nsize_total=%zu\n", hk::detail::compiledOutputBytes(), total);
  return 0;
}

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "--load-all") return loadAll();
  if (!args.empty() && args[0] == "--sizes") return sizes();
  if (args.size() == 2 && args[0] == "--first-use") return firstUseOnly(args[1]);
  std::string_view entry = "points";
  int threads = 1;
  std::vector<std::string_view> positional;
  for (std::string_view arg : args) {
    if (arg.starts_with("--entry=")) {
      entry = arg.substr(8);
    } else if (arg.starts_with("--threads=")) {
      threads = std::max(1, std::atoi(std::string(arg.substr(10)).c_str()));
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() < 2) {
    std::cerr << "usage: hyphenkit_driver CODE WORDS [PASSES] [--entry=ENTRY] "
                 "[--threads=N]\n       hyphenkit_driver --first-use CODE | --load-all | "
                 "--sizes\n";
    return 2;
  }
  const hk::Language language = languageOf(positional[0]);
  const std::vector<std::u32string> words = readWords(std::string(positional[1]).c_str());
  const int passes = positional.size() > 2 ? std::atoi(std::string(positional[2]).c_str()) : 5;

  const std::size_t heapBefore = mallinfo2().uordblks;
  auto start = Clock::now();
  const hk::Hyphenator& hyphenator = *firstUse(language);
  const double load = secondsSince(start);
  const std::size_t heapAfter = mallinfo2().uordblks;

  const Encoded encoded = encode(words);
  hyphenkit_hyphenator* handle = nullptr;
  if (entry.starts_with("c-") &&
      hyphenkit_hyphenator_language(static_cast<std::size_t>(hk::fromEnum(language)), &handle) !=
          HYPHENKIT_OK) {
    std::cerr << hyphenkit_last_error() << "\n";
    return 1;
  }
  auto pass = [&](std::vector<std::size_t>& points) -> long {
    if (entry == "hyphenate") return hyphenateAllFragments(&hyphenator, &words);
    if (entry == "utf8") return hyphenateAllUtf8(&hyphenator, &encoded, &points);
    if (entry == "utf16") return hyphenateAllUtf16(&hyphenator, &encoded, &points);
    if (entry == "c-utf8") return hyphenateAllC(handle, &encoded, 8);
    if (entry == "c-utf16") return hyphenateAllC(handle, &encoded, 16);
    if (entry == "c-utf32") return hyphenateAllC(handle, &encoded, 32);
    return hyphenateAll(&hyphenator, &words, &points);
  };

  // Wall time of the whole pass, and each thread's own processor time: a thread slowed down by
  // the others (a shared write, a lock) spends more of it per word, while one that merely waits
  // for a core on a busy machine does not.
  double best = 1e30, bestCpu = 1e30;
  long breaks = 0;
  for (int round = 0; round < std::max(passes, 1); ++round) {
    std::latch ready(threads + 1);
    std::vector<std::thread> workers;
    std::vector<long> found(threads);
    std::vector<double> cpu(threads);
    std::vector<Clock::time_point> began(threads), ended(threads);
    for (int t = 0; t < threads; ++t) {
      workers.emplace_back([&, t] {
        std::vector<std::size_t> points;
        points.reserve(64);  // a buffer of its own cache lines, whatever the allocator does
        ready.arrive_and_wait();
        began[t] = Clock::now();
        const double begin = threadSeconds();
        found[t] = pass(points);
        cpu[t] = threadSeconds() - begin;
        ended[t] = Clock::now();
      });
    }
    ready.arrive_and_wait();
    for (auto& worker : workers)
      worker.join();
    const auto first = *std::min_element(began.begin(), began.end());
    const auto last = *std::max_element(ended.begin(), ended.end());
    best = std::min(best, std::chrono::duration<double>(last - first).count());
    bestCpu = std::min(bestCpu, *std::max_element(cpu.begin(), cpu.end()));
    breaks = found[0];
  }
  std::printf(
      "words=%zu\nbreaks=%ld\nload_ms=%.3f\nheap_bytes=%zu\nthreads=%d\nwords_per_second=%.0f\n"
      "words_per_cpu_second=%.0f\n",
      words.size(), breaks, load * 1e3, heapAfter - heapBefore, threads,
      static_cast<double>(words.size()) * threads / best,
      static_cast<double>(words.size()) / bestCpu);
  hyphenkit_hyphenator_free(handle);
  return 0;
}
