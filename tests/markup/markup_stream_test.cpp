// MarkupStream: the output does not depend on how the input is cut, bytes pass through, memory
// stays bounded, and the depth limit degrades safely.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;

namespace {

std::vector<std::string> pages() {
  std::vector<std::string> out;
  for (const char* name : {"european.html", "cyrillic_greek.html", "xhtml.xhtml"}) {
    std::ifstream in(std::string(HYPHENKIT_MARKUP_PAGES) + "/" + name, std::ios::binary);
    out.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    EXPECT_FALSE(out.back().empty()) << name;
  }
  return out;
}

// The input cut before each of `cuts` (ascending offsets), written piece by piece.
std::string streamed(std::string_view input, const std::vector<std::size_t>& cuts,
                     const hy::MarkupOptions& options) {
  std::string out;
  const auto append = [&out](std::string_view piece) { out.append(piece); };
  hy::MarkupStream stream(hy::english_US, options);
  std::size_t from = 0;
  for (const std::size_t cut : cuts) {
    stream.write(input.substr(from, cut - from), append);
    from = cut;
  }
  stream.write(input.substr(from), append);
  stream.finish(append);
  return out;
}

std::vector<std::size_t> everyNth(std::size_t size, std::size_t n) {
  std::vector<std::size_t> cuts;
  for (std::size_t at = n; at < size; at += n)
    cuts.push_back(at);
  return cuts;
}

// Markup made of fragments that start and end every kind of token, in random order, with
// bytes of broken UTF-8 among them.
std::string randomMarkup(std::mt19937& random, std::size_t fragments) {
  static const std::vector<std::string_view> alphabet = {"<",
                                                         ">",
                                                         "</",
                                                         "/>",
                                                         "<p lang=fr>",
                                                         "</p>",
                                                         "<p>",
                                                         "<li>",
                                                         "<table><tr><td>",
                                                         "<!--",
                                                         "-->",
                                                         "--!>",
                                                         "<!",
                                                         "<?",
                                                         "?>",
                                                         "<script>",
                                                         "</script>",
                                                         "<!-- <script>",
                                                         "<style>",
                                                         "</style>",
                                                         "<textarea>",
                                                         "</textarea>",
                                                         "<title>",
                                                         "</title>",
                                                         "<plaintext>",
                                                         "<svg>",
                                                         "</svg>",
                                                         "<math>",
                                                         "<![CDATA[",
                                                         "]]>",
                                                         "<!DOCTYPE html>",
                                                         "<pre>",
                                                         "</pre>",
                                                         "&",
                                                         "&eacute;",
                                                         "&eacute",
                                                         "&#173;",
                                                         "&#x",
                                                         "&shy;",
                                                         "&amp;",
                                                         ";",
                                                         "#",
                                                         "documentation ",
                                                         "hyphenation",
                                                         "caf\xC3\xA9",
                                                         "\xC3",
                                                         "\xA9",
                                                         "\xFF",
                                                         "\xE2\x82",
                                                         "\"",
                                                         "'",
                                                         "=",
                                                         " ",
                                                         "\n",
                                                         "x",
                                                         "-",
                                                         "<b class=\"nohyphenate\">",
                                                         "</b>",
                                                         "<div xml:lang=\"de\">",
                                                         "</div>",
                                                         "Silbentrennung",
                                                         "https://example.com/documentation",
                                                         "\r\n",
                                                         "\0"};
  std::string out;
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (std::size_t k = 0; k < fragments; ++k) {
    const std::string_view fragment = alphabet[pick(random)];
    out.append(fragment.empty() ? std::string_view("\0", 1) : fragment);
  }
  return out;
}

std::string withoutSeparators(std::string text, std::string_view separator) {
  for (std::size_t at = text.find(separator); at != std::string::npos;
       at = text.find(separator, at)) {
    text.erase(at, separator.size());
  }
  return text;
}

}  // namespace

TEST(MarkupStream, AnyCutGivesWhatTheWholeInputGives) {
  std::mt19937 random(13);
  for (const std::string& page : pages()) {
    const std::string whole = hy::hyphenateHtml(hy::english_US, page);
    for (const std::size_t n : {1, 2, 3, 5, 8, 61, 4096}) {
      EXPECT_EQ(streamed(page, everyNth(page.size(), n), {}), whole) << "pieces of " << n;
    }
    for (int round = 0; round < 20; ++round) {
      std::vector<std::size_t> cuts;
      std::uniform_int_distribution<std::size_t> at(0, page.size());
      for (int k = 0; k < 30; ++k)
        cuts.push_back(at(random));
      std::sort(cuts.begin(), cuts.end());
      EXPECT_EQ(streamed(page, cuts, {}), whole);
    }
  }
}

TEST(MarkupStream, AnyBytesPassThroughWithOnlySeparatorsAdded) {
  std::mt19937 random(1);
  hy::MarkupOptions options;
  options.text.separator = "|~|";
  for (const hy::MarkupSyntax syntax : {hy::MarkupSyntax::Html, hy::MarkupSyntax::Xhtml}) {
    options.syntax = syntax;
    std::size_t hyphenated = 0;
    for (int round = 0; round < 300; ++round) {
      const std::string input = randomMarkup(random, 60);
      const std::string whole = hy::hyphenateHtml(hy::english_US, input, options);
      ASSERT_EQ(withoutSeparators(whole, options.text.separator), input);
      hyphenated += whole != input;
      EXPECT_EQ(streamed(input, everyNth(input.size(), 1 + round % 7), options), whole);
    }
    EXPECT_GT(hyphenated, 50u);  // the test reaches text that is hyphenated
  }
}

TEST(MarkupStream, ASecondPassChangesNothing) {
  for (const std::string& page : pages()) {
    const std::string once = hy::hyphenateHtml(hy::english_US, page);
    EXPECT_NE(once, page);
    EXPECT_EQ(hy::hyphenateHtml(hy::english_US, once), once);
  }
}

// Memory: whatever the input, the output lags behind it by a bounded window, so nothing grows
// with a text, tag, comment or raw-text element of any length.
TEST(MarkupStream, OutputFollowsTheInputWithinAWindow) {
  const std::string sentence = "Documentation of hyphenation in running text. ";
  std::string prose;
  while (prose.size() < 4096)
    prose += sentence;
  const std::string letters(4096, 'a');
  struct Case {
    std::string_view name;
    std::string start;
    std::string body;  // repeated
  };
  const Case cases[] = {
      {"text", "<p>", prose},
      {"one long word", "<p>", letters},
      {"text in pre", "<pre>", prose},
      {"a comment", "<!--", prose},
      {"an attribute value", "<p title=\"", prose},
      {"a tag", "<p ", "a=b "},
      {"script", "<script>", prose},
      {"a CDATA section", "<svg><![CDATA[", prose},
      {"a bogus comment", "<?", prose},
  };
  constexpr std::size_t kTotal = 4 << 20;
  constexpr std::size_t kLag = 160 << 10;
  for (const Case& c : cases) {
    std::size_t written = 0;
    std::size_t read = 0;
    std::size_t worstLag = 0;
    const auto count = [&](std::string_view piece) { written += piece.size(); };
    hy::MarkupStream stream(hy::english_US);
    stream.write(c.start, count);
    read += c.start.size();
    while (read < kTotal) {
      stream.write(c.body, count);
      read += c.body.size();
      worstLag = std::max(worstLag, read > written ? read - written : 0);
    }
    stream.finish(count);
    EXPECT_LE(worstLag, kLag) << c.name;
    EXPECT_GE(written, read) << c.name;
  }
}

TEST(MarkupStream, PastTheDepthLimitTextIsLeftAlone) {
  constexpr std::size_t kDeep = 600;
  std::string markup;
  for (std::size_t k = 0; k < kDeep; ++k)
    markup += "<div lang=fr>";
  markup += "documentation";
  for (std::size_t k = 0; k < 100; ++k)
    markup += "</div>";
  markup += "documentation";
  for (std::size_t k = 100; k < kDeep; ++k)
    markup += "</div>";
  markup += "documentation";
  hy::MarkupOptions options;
  options.text.separator = "~";
  const std::string out = hy::hyphenateHtml(hy::english_US, markup, options);
  EXPECT_NE(out.find("<div lang=fr>documentation</div>"), std::string::npos);  // too deep
  EXPECT_NE(out.find("</div>do~cu~men~ta~tion</div>"), std::string::npos);     // back in French
  EXPECT_TRUE(out.ends_with("</div>doc~u~men~ta~tion"));                       // and English
}

TEST(MarkupStream, FinishStartsANewDocument) {
  hy::MarkupOptions options;
  options.text.separator = "~";
  std::string out;
  const auto append = [&out](std::string_view piece) { out.append(piece); };
  hy::MarkupStream stream(hy::english_US, options);
  for (const std::string_view unfinished :
       {"<pre>documentation", "<!-- documentation", "<script>documentation", "<p lang=fr",
        "<plaintext>", "<", "&eacute"}) {
    out.clear();
    stream.write(unfinished, append);
    stream.finish(append);
    EXPECT_EQ(out.substr(0, unfinished.size()), unfinished);
    out.clear();
    stream.write("documentation", append);
    stream.finish(append);
    EXPECT_EQ(out, "doc~u~men~ta~tion") << "after " << unfinished;
  }
}

TEST(MarkupConcurrent, ThreadsHyphenatingPagesAtOnceAgree) {
  const std::vector<std::string> all = pages();
  std::vector<std::string> expected;
  for (const std::string& page : all)
    expected.push_back(hy::hyphenateHtml(hy::english_US, page));
  std::vector<std::thread> threads;
  std::vector<int> mismatches(4, 0);
  for (std::size_t t = 0; t < mismatches.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 5; ++round) {
        for (std::size_t k = 0; k < all.size(); ++k) {
          mismatches[t] += hy::hyphenateHtml(hy::english_US, all[k]) != expected[k];
        }
      }
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  for (const int count : mismatches)
    EXPECT_EQ(count, 0);
}
