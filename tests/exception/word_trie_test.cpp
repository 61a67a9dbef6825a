#include "exception/word_trie.hpp"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "support/support.hpp"
#include "text/hyphenation/exception.hpp"

namespace text::hyphenation::detail {
namespace {

using Model = std::map<std::u32string, Scores>;

Model modelOf(const WordTrie& trie) {
  Model model;
  trie.forEach([&](const auto& entry) { model.emplace(entry->word, entry->scores); });
  EXPECT_EQ(model.size(), trie.size());
  return model;
}

// Hashes that make words meet: all in one slot at every level down to the last, where they are
// listed; or sharing their low bits, so that they part only deep down.
std::uint64_t sameHash(std::u32string_view) {
  return 42;
}
std::uint64_t weakHash(std::u32string_view word) {
  return WordTrie::hashOf(word) << 50;
}

// Every version a run of merges makes, into the trie and into copies of earlier ones, holds
// exactly what a plain map given the same merges holds, and no later merge changes it.
TEST(WordTrie, EveryVersionHoldsWhatAPlainMapHolds) {
  std::mt19937 random(17);
  for (const WordTrie::Hash hash : {&WordTrie::hashOf, &sameHash, &weakHash}) {
    std::vector<WordTrie> versions{WordTrie(hash)};
    std::vector<Model> models{Model()};
    for (int step = 0; step < 600; ++step) {
      const std::size_t from = random() % versions.size();
      WordTrie trie = versions[from];
      Model model = models[from];
      std::u32string word = testing::randomText(random, U"abc", 5);
      Scores scores(word.size() + 1);
      for (std::int64_t& score : scores)
        score = random() % 2;
      trie.merge(word, scores);
      auto [at, added] = model.try_emplace(word, scores);
      if (!added) at->second = zipMin(at->second, scores);
      versions.push_back(trie);
      models.push_back(model);
    }
    for (std::size_t k = 0; k < versions.size(); ++k) {
      ASSERT_EQ(modelOf(versions[k]), models[k]) << "version " << k;
      for (const auto& [word, scores] : models[k]) {
        const Scores* found = versions[k].find(word);
        ASSERT_TRUE(found && *found == scores);
      }
      EXPECT_EQ(versions[k].find(U"abcabc"), nullptr);
    }
  }
}

TEST(WordTrie, EntriesOfAnotherTrieAreSharedNotCopied) {
  WordTrie a, b;
  a.merge(U"table", {0, 0, 1, 0, 0, 0});
  a.merge(U"hyphen", {0, 0, 1, 0, 0, 0, 0});
  a.forEach([&](const auto& entry) { b.merge(entry); });
  a.forEach([&](const auto& entry) { EXPECT_EQ(b.find(entry->word), &entry->scores); });
  b.merge(U"table", {0, 0, 0, 0, 0, 0});
  EXPECT_EQ(*b.find(U"table"), (Scores{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(*a.find(U"table"), (Scores{0, 0, 1, 0, 0, 0}));
  EXPECT_FALSE(a.sameAs(b));
}

}  // namespace
}  // namespace text::hyphenation::detail
