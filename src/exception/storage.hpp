#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "exception/word_trie.hpp"
#include "text/hyphenation/exception.hpp"

namespace text::hyphenation::detail {

// What an Exceptions value holds: its words in a trie, and the std::unordered_map copy of them
// that entries() gives, made on first request.
struct ExceptionStorage {
  explicit ExceptionStorage(WordTrie words) : words(std::move(words)) {}

  WordTrie words;
  mutable std::once_flag mapped;
  mutable std::optional<ExceptionMap> map;
};

struct ExceptionAccess {
  static const WordTrie& words(const Exceptions& table) { return table.storage_->words; }
  static const ExceptionStorage* storage(const Exceptions& table) { return table.storage_.get(); }
  static Exceptions make(WordTrie words) {
    return Exceptions(std::make_shared<const ExceptionStorage>(std::move(words)));
  }
};

}  // namespace text::hyphenation::detail
