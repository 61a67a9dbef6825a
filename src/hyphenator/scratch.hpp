#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/hyphenation/scores.hpp"

namespace text::hyphenation::detail {

struct ScratchBuffers {
  std::u32string key;
  Scores scores;
  std::u32string word;
  std::vector<std::size_t> breaks;
  std::vector<std::uint8_t> narrowFramed;
  std::vector<std::uint32_t> wideFramed;
  std::vector<std::uint8_t> gaps;
  bool inUse = false;
};

// The buffers of one thread, reused by every call so that a warm hyphenate or hyphenateText
// allocates nothing but its result. A character function that itself calls hyphenate finds them
// taken and gets fresh ones.
class Scratch {
 public:
  Scratch() : buffers_(shared().inUse ? own_.emplace() : shared()) { buffers_.inUse = true; }
  ~Scratch() { buffers_.inUse = false; }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  std::u32string& key() { return buffers_.key; }
  Scores& scores() { return buffers_.scores; }
  // A word decoded from the caller's units.
  std::u32string& word() { return buffers_.word; }
  std::vector<std::size_t>& breaks() { return buffers_.breaks; }
  // The framed letter classes, of either width, and a byte per gap of a long word on the fast
  // path.
  template <class Class>
  std::vector<Class>& framed() {
    if constexpr (sizeof(Class) == 1) {
      return buffers_.narrowFramed;
    } else {
      return buffers_.wideFramed;
    }
  }
  std::vector<std::uint8_t>& gaps() { return buffers_.gaps; }

 private:
  using Buffers = ScratchBuffers;
  static Buffers& shared() {
    thread_local Buffers buffers;
    return buffers;
  }

  std::optional<Buffers> own_;  // only when the thread's are taken
  Buffers& buffers_;
};

}  // namespace text::hyphenation::detail
