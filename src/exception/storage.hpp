#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "exception/word_trie.hpp"
#include "text/hyphenation/exception.hpp"

namespace text::hyphenation::detail {

// What an Exceptions value holds: its words as a std::unordered_map or as a persistent trie, and
// the other form made from it the first time it is asked for. A table that is parsed or given as a
// map stays a map, the fastest to build and to read; a table made by adding to another is a trie,
// which shares all but the added words' paths with the table it was made from, so that adding
// words one by one costs what they add.
class ExceptionStorage {
 public:
  explicit ExceptionStorage(ExceptionMap map) : byMap_(true) { map_.emplace(std::move(map)); }
  explicit ExceptionStorage(WordTrie words) : byMap_(false) { words_.emplace(std::move(words)); }

  std::size_t size() const { return byMap_ ? map_->size() : words_->size(); }
  // The scores of exactly `word`, or null.
  const Scores* find(const std::u32string& word) const {
    if (!byMap_) return words_->find(word);
    const auto at = map_->find(word);
    return at == map_->end() ? nullptr : &at->second;
  }
  // Calls visit(word, scores) for every entry, in no particular order.
  template <class Visit>
  void forEach(Visit visit) const {
    if (byMap_) {
      for (const auto& [word, scores] : *map_)
        visit(word, scores);
    } else {
      words_->forEach([&](const auto& entry) { visit(entry->word, entry->scores); });
    }
  }
  // The two forms, each made once when the table was built in the other.
  const WordTrie& words() const;
  const ExceptionMap& map() const;

 private:
  bool byMap_;
  mutable std::once_flag made_;  // of the form the table was not built in
  mutable std::optional<ExceptionMap> map_;
  mutable std::optional<WordTrie> words_;
};

struct ExceptionAccess {
  static const ExceptionStorage& storage(const Exceptions& table) { return *table.storage_; }
  template <class Words>
  static Exceptions make(Words words) {
    return Exceptions(std::make_shared<const ExceptionStorage>(std::move(words)));
  }
};

}  // namespace text::hyphenation::detail
