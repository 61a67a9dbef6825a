#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "pattern/lookup.hpp"
#include "pattern/node.hpp"
#include "support/model.hpp"
#include "support/support.hpp"
#include "text/hyphenation/pattern.hpp"

// Parsed tries are frozen into compact arrays with an automaton for lookups; these tests hold
// the frozen form to the same results as explicit nodes built by insertPattern.
namespace text::hyphenation {
namespace {

struct PatternSet {
  std::vector<std::u32string> lines;
  std::u32string text() const { return testing::textOf(lines); }
  Patterns inserted() const {
    Patterns trie;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
      trie = insertPattern(*line, trie);
    }
    return trie;
  }
};

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  char32_t letter(const std::u32string& alphabet) { return alphabet[pick(0, alphabet.size() - 1)]; }
  std::u32string word(const std::u32string& alphabet, int longest) {
    std::u32string word;
    for (int length = pick(0, longest); length > 0; --length)
      word += letter(alphabet);
    return word;
  }
  // Lines of up to `longest` letters; some with digits everywhere, adjacent ones included.
  PatternSet patterns(const std::u32string& alphabet, int count, int longest) {
    PatternSet set;
    for (; count > 0; --count) {
      std::u32string line;
      const int digits = pick(0, 3);
      for (int length = pick(0, longest); length > 0; --length) {
        if (pick(0, 3) < digits) line += static_cast<char32_t>(U'0' + pick(0, 9));
        if (pick(0, 30) == 0) line += static_cast<char32_t>(U'0' + pick(0, 9));
        line += letter(alphabet);
      }
      if (pick(0, 1) == 0) line += static_cast<char32_t>(U'0' + pick(0, 9));
      set.lines.push_back(line);
    }
    return set;
  }

 private:
  std::mt19937 random_;
};

std::string utf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text)
    out += c < 0x80 ? std::string(1, static_cast<char>(c)) : "<" + std::to_string(c) + ">";
  return out;
}

// Fast lookup on the parsed trie, the reference walk on the parsed trie's node view, and the
// reference walk on the inserted trie all agree.
void expectSameLookups(const PatternSet& set, const std::vector<std::u32string>& words) {
  Patterns parsed = parsePatterns(set.text());
  Patterns inserted = set.inserted();
  ASSERT_EQ(parsed, inserted);
  Scores fast, viewed, explicitNodes;
  for (const auto& word : words) {
    detail::lookupPatternInto(word, parsed, fast);
    detail::referenceLookupInto(word, parsed, viewed);
    detail::referenceLookupInto(word, inserted, explicitNodes);
    ASSERT_EQ(fast, explicitNodes) << "word " << utf8(word) << " patterns " << utf8(set.text());
    ASSERT_EQ(viewed, explicitNodes);
  }
}

// Words made of the letters of some of the patterns, so that long patterns match too.
std::u32string wordOfPatterns(Generator& generate, const PatternSet& set, int parts) {
  std::u32string word;
  for (; parts > 0 && !set.lines.empty(); --parts) {
    for (char32_t c : set.lines[generate.pick(0, set.lines.size() - 1)]) {
      if (c < U'0' || c > U'9') word += c;
    }
    if (generate.pick(0, 1) == 0) word += generate.word(U"ab", 3);
  }
  return word;
}

TEST(FrozenTrie, LongOverlappingAndMalformedPatternsLookUpLikeTheReference) {
  Generator generate(2024);
  // Few letters and long lines make long overlaps, whose merged scores are too long to keep;
  // adjacent digits make score lists reaching past their letters; long words leave the
  // stack buffer.
  for (int round = 0; round < 90; ++round) {
    const int longest = round % 3 == 0 ? 40 : round % 3 == 1 ? 150 : 8;
    PatternSet set = generate.patterns(U"ab.", generate.pick(1, 30), longest);
    std::vector<std::u32string> words;
    for (int k = 0; k < 10; ++k)
      words.push_back(generate.word(U"ab.", k < 8 ? 30 : 400));
    for (int k = 0; k < 10; ++k)
      words.push_back(wordOfPatterns(generate, set, k % 4 + 1));
    expectSameLookups(set, words);
  }
}

TEST(FrozenTrie, LettersFromEveryRangeAndLettersOutsideThePatterns) {
  const std::u32string letters = {U'a',
                                  U'\u00E9',
                                  U'\u0430',
                                  U'\u2019',
                                  U'\U0001F600',
                                  static_cast<char32_t>(0x110000),
                                  static_cast<char32_t>(0xFFFFFFFF),
                                  U'.',
                                  U'\t',
                                  U'\r'};
  // Words also hold digits, line feeds and letters no pattern has.
  const std::u32string wordLetters = letters + U"7\nz\u0431" + static_cast<char32_t>(0x110001);
  Generator generate(99);
  for (int round = 0; round < 60; ++round) {
    PatternSet set = generate.patterns(letters, generate.pick(1, 25), 5);
    std::vector<std::u32string> words;
    for (int k = 0; k < 20; ++k)
      words.push_back(generate.word(wordLetters, 12));
    expectSameLookups(set, words);
    Patterns parsed = parsePatterns(set.text());
    for (const auto& word : words) {
      ASSERT_EQ(lookupPattern(word, parsed), testing::modelLookup(set.lines, word));
    }
  }
}

TEST(FrozenTrie, AlphabetsOfHundredsOfLetters) {
  std::u32string letters;
  for (char32_t c = 0x3041; c < 0x3041 + 300; ++c)
    letters += c;  // beyond U+30FF too
  Generator generate(5);
  for (int round = 0; round < 10; ++round) {
    PatternSet set = generate.patterns(letters, 2000, 4);
    std::vector<std::u32string> words;
    for (int k = 0; k < 200; ++k)
      words.push_back(generate.word(letters, 10));
    expectSameLookups(set, words);
  }
}

TEST(FrozenTrie, ParsedAndInsertedTriesLookAlike) {
  Generator generate(77);
  for (int round = 0; round < 100; ++round) {
    PatternSet set = generate.patterns(U"abc.", generate.pick(0, 15), 5);
    Patterns parsed = parsePatterns(set.text());
    Patterns inserted = set.inserted();
    ASSERT_EQ(show(parsed), show(inserted));
    ASSERT_EQ(showsPrec(11, parsed), showsPrec(11, inserted));
    auto parsedChildren = patternChildren(parsed);
    auto insertedChildren = patternChildren(inserted);
    ASSERT_EQ(parsedChildren, insertedChildren);
    ASSERT_EQ(patternScores(parsed), patternScores(inserted));
    // A subtree of a parsed trie is a trie of its own.
    for (const auto& [key, child] : parsedChildren) {
      for (std::u32string word : {U"", U"a", U"ab.", U"cab", U"abcabc"}) {
        ASSERT_EQ(lookupPattern(word, child), lookupPattern(word, insertedChildren.at(key)));
      }
    }
  }
}

TEST(FrozenTrie, InsertingIntoAndCombiningParsedTries) {
  Generator generate(31);
  for (int round = 0; round < 100; ++round) {
    PatternSet first = generate.patterns(U"abc.", generate.pick(0, 12), 5);
    PatternSet second = generate.patterns(U"abc.", generate.pick(0, 12), 5);
    Patterns parsedFirst = parsePatterns(first.text());
    Patterns parsedSecond = parsePatterns(second.text());
    Patterns combined = parsedFirst + parsedSecond;
    ASSERT_EQ(combined, first.inserted() + second.inserted());
    ASSERT_EQ(combined, parsedSecond + parsedFirst);
    ASSERT_EQ(parsedFirst + parsedFirst, parsedFirst);

    // Inserting every line of the second set, last to first, into the first set's trie.
    Patterns grown = parsedFirst;
    PatternSet both = first;
    for (auto line = second.lines.rbegin(); line != second.lines.rend(); ++line) {
      grown = insertPattern(*line, grown);
      both.lines.insert(both.lines.begin(), *line);
    }
    ASSERT_EQ(grown, both.inserted());
    ASSERT_EQ(parsedFirst, first.inserted());  // unchanged
    for (int k = 0; k < 10; ++k) {
      std::u32string word = generate.word(U"abc.", 8);
      ASSERT_EQ(lookupPattern(word, grown), testing::modelLookup(both.lines, word));
    }
  }
}

TEST(FrozenTrie, ManyThreadsLookUpTheSameTrie) {
  Generator generate(8);
  PatternSet set = generate.patterns(U"abcde.", 300, 6);
  Patterns trie = parsePatterns(set.text());
  std::vector<std::u32string> words;
  std::vector<Scores> expected;
  for (int k = 0; k < 200; ++k) {
    words.push_back(generate.word(U"abcde", 15));
    expected.push_back(lookupPattern(words.back(), trie));
  }
  std::vector<int> mismatches(4, 0);
  std::vector<std::thread> threads;
  for (int thread = 0; thread < 4; ++thread) {
    threads.emplace_back([&, thread] {
      Scores scores;
      for (int round = 0; round < 200; ++round) {
        for (std::size_t k = 0; k < words.size(); ++k) {
          detail::lookupPatternInto(words[k], trie, scores);
          if (scores != expected[k]) ++mismatches[thread];
        }
      }
    });
  }
  for (auto& thread : threads)
    thread.join();
  EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace text::hyphenation
