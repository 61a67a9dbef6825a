#include <array>
#include <mutex>
#include <optional>

#include "text/hyphenation/language.hpp"

namespace text::hyphenation {

const Hyphenator& languageHyphenator(Language language) {
  struct Slot {
    std::once_flag once;
    std::optional<Hyphenator> hyphenator;
  };
  // Never destroyed, so that a prebuilt hyphenator stays usable from static destructors and
  // from threads still running at exit.
  static auto* const slots = new std::array<Slot, languageCount>();

  // toEnum refuses a value made by a cast outside the enumeration.
  Slot& slot = (*slots)[static_cast<std::size_t>(fromEnum(toEnum(fromEnum(language))))];
  std::call_once(slot.once, [&] { slot.hyphenator.emplace(loadHyphenator(language)); });
  return *slot.hyphenator;
}

}  // namespace text::hyphenation
