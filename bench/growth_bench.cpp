// How building exception tables and pattern tries grows with their size: a word or pattern at a
// time, table by table, and one insert deep down. Each benchmark runs at sizes that double, and
// reports the time per call of the whole build; growth in proportion to the work means about 2x
// per doubling.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "text/hyphenation.hpp"

namespace hk = text::hyphenation;

namespace {

// Word k of a run of distinct words, "ab-c" style, each with one break.
std::u32string exceptionEntry(std::size_t k) {
  std::u32string entry;
  for (; k > 0 || entry.empty(); k /= 26)
    entry += static_cast<char32_t>(U'a' + k % 26);
  return entry.insert(1, 1, U'-');
}

// Pattern k with a first letter of its own: "x1y" with x the k-th of a run of CJK ideographs.
std::u32string patternWithFirstLetter(std::size_t k) {
  return std::u32string(1, static_cast<char32_t>(0x4E00 + k)) + U"1y";
}

void AddExceptionOneAtATime(benchmark::State& state) {
  for (auto _ : state) {
    hk::Exceptions table;
    for (std::int64_t k = 0; k < state.range(0); ++k)
      table = hk::addException(exceptionEntry(static_cast<std::size_t>(k)), table);
    benchmark::DoNotOptimize(table);
  }
}

void SconcatOfOneEntryTables(benchmark::State& state) {
  std::vector<hk::Exceptions> tables;
  for (std::int64_t k = 0; k < state.range(0); ++k)
    tables.push_back(hk::parseExceptions(exceptionEntry(static_cast<std::size_t>(k))));
  for (auto _ : state)
    benchmark::DoNotOptimize(hk::sconcat(tables));
}

void ParseExceptions(benchmark::State& state) {
  std::u32string text;
  for (std::int64_t k = 0; k < state.range(0); ++k)
    text += exceptionEntry(static_cast<std::size_t>(k)) + U"\n";
  for (auto _ : state)
    benchmark::DoNotOptimize(hk::parseExceptions(text));
}

void InsertPatternWithDistinctFirstLetters(benchmark::State& state) {
  for (auto _ : state) {
    hk::Patterns trie;
    for (std::int64_t k = 0; k < state.range(0); ++k)
      trie = hk::insertPattern(patternWithFirstLetter(static_cast<std::size_t>(k)), trie);
    benchmark::DoNotOptimize(trie);
  }
}

void SconcatOfOnePatternTries(benchmark::State& state) {
  std::vector<hk::Patterns> tries;
  for (std::int64_t k = 0; k < state.range(0); ++k)
    tries.push_back(hk::parsePatterns(patternWithFirstLetter(static_cast<std::size_t>(k))));
  for (auto _ : state)
    benchmark::DoNotOptimize(hk::sconcat(tries));
}

// One pattern inserted at the end of a parsed chain of `depth` letters, every prefix of which is
// a pattern too: each ancestor of the new node has a score list as long as its depth.
void InsertDeepInAParsedTrie(benchmark::State& state) {
  const auto depth = static_cast<std::size_t>(state.range(0));
  std::u32string text, chain;
  for (std::size_t k = 0; k < depth; ++k) {
    chain += U"a1";
    text += chain + U"\n";
  }
  const hk::Patterns parsed = hk::parsePatterns(text);
  const std::u32string deeper = chain + U"b2";
  for (auto _ : state)
    benchmark::DoNotOptimize(hk::insertPattern(deeper, parsed));
}

}  // namespace

BENCHMARK(AddExceptionOneAtATime)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(SconcatOfOneEntryTables)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ParseExceptions)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(InsertPatternWithDistinctFirstLetters)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SconcatOfOnePatternTries)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(InsertDeepInAParsedTrie)->Arg(1001)->Arg(2001)->Arg(4001)->Unit(benchmark::kMicrosecond);
