// Benchmarks of hyphenkit's entry points, first use of every language and sharing between threads.
//
//   hyphenkit_bench [--words-dir=DIR] [benchmark flags]
//
// Throughput runs over the word list DIR/CODE.txt (UTF-8, one word a line; DIR may also come
// from the environment variable HYPHENKIT_WORDS_DIR). A language without a list gets a fixed
// list of words made from its own patterns' letters, so that every benchmark always runs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "language/embedded_files.hpp"
#include "support/support.hpp"
#include "support/word_lists.hpp"
#include "text/hyphenation.hpp"

namespace hk = text::hyphenation;

namespace {

std::string wordsDirectory;

const std::vector<std::u32string>& wordsOf(hk::Language language) {
  static std::map<hk::Language, std::vector<std::u32string>> lists;
  auto [at, added] = lists.try_emplace(language);
  if (added) {
    if (!wordsDirectory.empty()) {
      std::ifstream in(wordsDirectory + "/" + std::string(hk::languageAffix(language)) + ".txt");
      at->second = hk::testing::readWords(in);
    }
    if (at->second.empty()) at->second = hk::testing::patternWords(language, 20000);
  }
  return at->second;
}

// hyphenationPoints over the word list, on the prebuilt hyphenator.
void Points(benchmark::State& state, hk::Language language) {
  const hk::Hyphenator& hyphenator = hk::languageHyphenator(language);
  const auto& words = wordsOf(language);
  std::vector<std::size_t> points;
  for (auto _ : state) {
    for (const auto& word : words) {
      hk::hyphenationPoints(hyphenator, word, points);
      benchmark::DoNotOptimize(points.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
}

// hyphenate, building every fragment.
void Hyphenate(benchmark::State& state, hk::Language language) {
  const hk::Hyphenator& hyphenator = hk::languageHyphenator(language);
  const auto& words = wordsOf(language);
  for (auto _ : state) {
    for (const auto& word : words) {
      auto fragments = hk::hyphenate(hyphenator, word);
      benchmark::DoNotOptimize(fragments.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
}

// A fresh hyphenator and its first hyphenate: decompressing, parsing and building everything.
void FirstUse(benchmark::State& state, hk::Language language) {
  std::vector<std::size_t> points;
  for (auto _ : state) {
    hk::hyphenationPoints(hk::loadHyphenator(language), U"hyphenation", points);
    benchmark::DoNotOptimize(points.data());
  }
}

void FirstUseOfEveryLanguage(benchmark::State& state) {
  std::vector<std::size_t> points;
  for (auto _ : state) {
    for (hk::Language language : hk::allLanguages()) {
      hk::hyphenationPoints(hk::loadHyphenator(language), U"hyphenation", points);
      benchmark::DoNotOptimize(points.data());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (const char* directory = std::getenv("HYPHENKIT_WORDS_DIR")) wordsDirectory = directory;
  std::vector<char*> rest;
  for (int k = 0; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (arg.starts_with("--words-dir="))
      wordsDirectory = arg.substr(12);
    else
      rest.push_back(argv[k]);
  }
  int restCount = static_cast<int>(rest.size());
  benchmark::Initialize(&restCount, rest.data());

  using enum hk::Language;
  const hk::Language throughput[] = {English_US, German_1996, French, Russian, Hungarian, Dutch};
  for (hk::Language language : throughput) {
    const std::string code(hk::languageAffix(language));
    // Prepare the list and the hyphenator outside the timings.
    wordsOf(language);
    hk::hyphenate(hk::languageHyphenator(language), U"hyphenation");
    benchmark::RegisterBenchmark(("Points/" + code).c_str(), Points, language);
    benchmark::RegisterBenchmark(("Hyphenate/" + code).c_str(), Hyphenate, language);
  }
  // Every thread hyphenates the whole list with the one shared hyphenator. Items per second is
  // the total over the threads (all their words over the wall-clock time), so perfect scaling
  // shows as twice the one-thread figure for two threads.
  for (hk::Language language : {English_US, German_1996}) {
    benchmark::RegisterBenchmark(
        ("SharedHyphenator/" + std::string(hk::languageAffix(language))).c_str(), Points, language)
        ->Threads(1)
        ->Threads(2)
        ->UseRealTime();
  }
  for (hk::Language language : hk::allLanguages()) {
    benchmark::RegisterBenchmark(("FirstUse/" + std::string(hk::languageAffix(language))).c_str(),
                                 FirstUse, language)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("FirstUseOfEveryLanguage", FirstUseOfEveryLanguage)
      ->Unit(benchmark::kMillisecond);

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
