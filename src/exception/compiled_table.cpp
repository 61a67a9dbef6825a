#include "exception/compiled_table.hpp"

#include <algorithm>
#include <stdexcept>

namespace text::hyphenation::detail {
namespace {

template <class Class>
std::uint32_t hashOf(const Class* classes, std::size_t size) {
  std::uint32_t hash = static_cast<std::uint32_t>(size) * 0x9E3779B1u;
  for (std::size_t k = 0; k < size; ++k)
    hash = (hash ^ classes[k]) * 0x01000193u;
  return hash ^ (hash >> 15);
}

}  // namespace

template <class Class>
std::span<const std::uint16_t> CompiledExceptions::find(const Class* classes,
                                                        std::size_t size) const {
  if (slots.empty() || size > 0xFFFF) return {};
  const std::size_t mask = slots.size() - 1;
  for (std::size_t slot = hashOf(classes, size) & mask;; slot = (slot + 1) & mask) {
    const std::uint32_t at = slots[slot];
    if (at == 0) return {};
    const std::uint16_t* entry = entries.data() + (at - 1);
    if (entry[0] == size && std::equal(classes, classes + size, entry + 1))
      return {entry + 2 + size, entry[1 + size]};
  }
}

template std::span<const std::uint16_t> CompiledExceptions::find(const std::uint8_t*,
                                                                 std::size_t) const;
template std::span<const std::uint16_t> CompiledExceptions::find(const std::uint32_t*,
                                                                 std::size_t) const;

CompiledExceptionArrays::CompiledExceptionArrays(const std::vector<Entry>& table) {
  if (table.empty()) return;
  // About 64 filter bits and at least two slots per entry keep both tests short.
  filterBits = 6;
  while ((std::size_t{1} << filterBits) < 64 * table.size())
    ++filterBits;
  filter.assign((std::size_t{1} << filterBits) / 64, 0);
  std::size_t slotCount = 4;
  while (slotCount < 2 * table.size())
    slotCount *= 2;
  slots.assign(slotCount, 0);
  for (const Entry& entry : table) {
    const std::size_t size = entry.classes.size();
    if (size == 0 || size > 0xFFFF || entry.scores.size() > 0xFFFF ||
        std::find(entry.classes.begin(), entry.classes.end(), 0) != entry.classes.end()) {
      throw std::invalid_argument("an exception that cannot be compiled");
    }
    const std::uint32_t bit = CompiledExceptions::filterSlot(size, entry.classes.front(),
                                                             entry.classes.back(), filterBits);
    filter[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    std::size_t slot = hashOf(entry.classes.data(), size) & (slotCount - 1);
    while (slots[slot] != 0)
      slot = (slot + 1) & (slotCount - 1);
    slots[slot] = static_cast<std::uint32_t>(entries.size() + 1);
    entries.push_back(static_cast<std::uint16_t>(size));
    entries.insert(entries.end(), entry.classes.begin(), entry.classes.end());
    entries.push_back(static_cast<std::uint16_t>(entry.scores.size()));
    entries.insert(entries.end(), entry.scores.begin(), entry.scores.end());
  }
}

}  // namespace text::hyphenation::detail
