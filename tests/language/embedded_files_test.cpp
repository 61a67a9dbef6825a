#include "language/embedded_files.hpp"

#include <gtest/gtest.h>

#include <zlib.h>
#include "support/support.hpp"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "text/hyphenation/language.hpp"

namespace text::hyphenation::detail {
namespace {

using testing::errorOf;

std::vector<unsigned char> gzip(const std::string& text) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::vector<unsigned char> out(deflateBound(&stream, text.size()));
  stream.next_in = reinterpret_cast<unsigned char*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

TEST(EmbeddedFiles, EveryLanguageHasItsFourFilesAndNothingElseIsThere) {
  std::vector<std::string> expected;
  for (Language language : allLanguages()) {
    for (const char* kind : {"chr", "hyp", "lic", "pat"}) {
      expected.push_back("hyph-" + std::string(languageAffix(language)) + "." + kind + ".txt.gz");
    }
  }
  std::sort(expected.begin(), expected.end());

  std::vector<std::string> names;
  for (const EmbeddedFile& file : embeddedFiles()) {
    names.emplace_back(file.name);
    EXPECT_GE(file.data.size(), 18u) << file.name;
    EXPECT_TRUE(file.data.size() >= 2 && file.data[0] == 0x1F && file.data[1] == 0x8B)
        << file.name << " is not gzip";
  }
  EXPECT_EQ(names.size(), 292u);
  // The table is in byte order of names, with no name twice: "la-x-classic" before "la.".
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
  EXPECT_EQ(names, expected);
}

TEST(EmbeddedFiles, ReadsDecompressedText) {
  EXPECT_EQ(readEmbeddedFile("hyph-de-1996.hyp.txt.gz"), U"");

  std::u32string letters;
  for (char32_t c = U'a'; c <= U'z'; ++c)
    letters += {c, c - U'a' + U'A', U'\n'};
  EXPECT_EQ(readEmbeddedFile("hyph-en-us.chr.txt.gz"), letters);

  std::u32string licence = readEmbeddedFile("hyph-en-us.lic.txt.gz");
  EXPECT_FALSE(licence.empty());
  EXPECT_EQ(licence.back(), U'\n');
}

TEST(EmbeddedFiles, EveryFileInflatesToLinesEndedByALineFeed) {
  for (const EmbeddedFile& file : embeddedFiles()) {
    std::u32string text = readEmbeddedFile(file.name);
    EXPECT_TRUE(text.empty() || text.back() == U'\n') << file.name;
    EXPECT_EQ(text.find(U'\r'), text.npos) << file.name;
  }
}

TEST(EmbeddedFiles, OnlyTheExactNameIsFound) {
  const std::string names[] = {
      "hyph-EN-US.pat.txt.gz",  // case differs
      "hyph-en-us.pat.txt",     // ".gz" missing
      "hyph-en-us.pat.txt.gz ", "hyph-en-us", "", "hyph-xx.pat.txt.gz",
  };
  for (const std::string& name : names) {
    EXPECT_EQ(errorOf([&] { readEmbeddedFile(name); }), "Could not find " + name);
  }
  EXPECT_THROW(readEmbeddedFile(std::string("hyph-en-us.pat.txt.gz\0", 22)), Error);
}

TEST(EmbeddedFiles, ReadCountsEachDecompression) {
  const std::string name = "hyph-cy.lic.txt.gz";
  std::uint64_t before = embeddedReadCount(name);
  readEmbeddedFile(name);
  readEmbeddedFile(name);
  EXPECT_EQ(embeddedReadCount(name), before + 2);
  EXPECT_THROW(readEmbeddedFile("hyph-cy.lic.txt"), Error);
  EXPECT_EQ(embeddedReadCount("hyph-cy.lic.txt"), 0u);
}

TEST(Gunzip, InflatesOneOrMoreMembers) {
  std::mt19937 random(3);
  std::string large;
  for (int k = 0; k < 300000; ++k)
    large += static_cast<char>('a' + random() % 7);
  const std::string texts[] = {"", "aA\nbB\n", std::string(1 << 20, 'x'), large};
  for (const std::string& text : texts) {
    EXPECT_EQ(gunzip(gzip(text)), text) << text.size();
  }
  // Members one after another join up; the buffer outgrows the last member's recorded size.
  std::vector<unsigned char> joined = gzip(large);
  std::vector<unsigned char> second = gzip("tail\n");
  joined.insert(joined.end(), second.begin(), second.end());
  EXPECT_EQ(gunzip(joined), large + "tail\n");
  EXPECT_EQ(gunzip({}), "");
}

TEST(Gunzip, DamagedStreamsFailInZlibsWords) {
  std::vector<unsigned char> good = gzip("hyphenation\n");

  std::vector<unsigned char> badMagic = good;
  badMagic[0] = 'x';
  EXPECT_EQ(errorOf([&] { gunzip(badMagic); }), "incorrect header check");

  std::vector<unsigned char> badChecksum = good;
  badChecksum[badChecksum.size() - 8] ^= 1;
  EXPECT_EQ(errorOf([&] { gunzip(badChecksum); }), "incorrect data check");

  std::vector<unsigned char> badLength = good;
  badLength[badLength.size() - 1] ^= 1;
  EXPECT_EQ(errorOf([&] { gunzip(badLength); }), "incorrect length check");

  for (std::size_t length = 1; length < good.size(); ++length) {
    std::span<const unsigned char> cut(good.data(), length);
    EXPECT_EQ(errorOf([&] { gunzip(cut); }), "unexpected end of file") << length;
  }

  std::vector<unsigned char> trailingGarbage = good;
  trailingGarbage.push_back('!');
  EXPECT_THROW(gunzip(trailingGarbage), Error);
}

}  // namespace
}  // namespace text::hyphenation::detail
