#include "exception/filter.hpp"

namespace text::hyphenation::detail {

ExceptionFilter::ExceptionFilter(const ExceptionStorage& table) {
  if (table.size() == 0) return;
  bits_.assign((std::size_t{1} << slotBits) / 64, 0);
  table.forEach([&](const std::u32string& word, const Scores&) {
    if (word.empty()) return;  // the empty word is never looked up
    const std::uint32_t bit = slot(word.size(), word.front(), word.back());
    bits_[bit >> 6] |= std::uint64_t{1} << (bit & 63);
  });
}

}  // namespace text::hyphenation::detail
