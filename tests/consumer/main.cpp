// Hyphenates a word in two languages through an installed hyphenkit; exits 1 on a wrong result.
#include <text/hyphenation.hpp>

#include <cstdio>
#include <string>
#include <vector>

namespace hy = text::hyphenation;

static bool check(const hy::Hyphenator& hyphenator, std::u32string_view word,
                  const std::vector<std::u32string>& expected) {
  const bool ok = hy::hyphenate(hyphenator, word) == expected;
  std::printf("%s: %zu fragments%s\n", ok ? "ok" : "WRONG", expected.size(), ok ? "" : " expected");
  return ok;
}

int main() {
  bool ok = check(hy::english_US, U"hyphenation", {U"hy", U"phen", U"ation"});
  ok = check(hy::german_1996, U"Silbentrennung", {U"Sil", U"ben", U"tren", U"nung"}) && ok;
  return ok ? 0 : 1;
}
