// The C interface over the C++ one: each function turns every exception into a return code and a
// message kept per thread. Word breaks read the caller's units where they are, into buffers the
// thread keeps, so that a warm call allocates nothing.

#include "hyphenkit.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "common/utf16.hpp"
#include "common/utf8_decode.hpp"
#include "common/utf8_encode.hpp"
#include "hyphenator/breaks.hpp"
#include "hyphenator/state.hpp"
#include "language/char_table.hpp"
#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;

struct hyphenkit_hyphenator {
  hy::Hyphenator value;
};

namespace {

std::string& lastError() {
  thread_local std::string message;
  return message;
}

int fail(int code, const char* message) {
  try {
    lastError() = message;
  } catch (...) {
    // Without memory for the message the code still says what went wrong.
  }
  return code;
}

// Runs `call`, turning what it throws into a code and a message.
template <class Call>
auto guarded(Call call) noexcept -> decltype(call()) {
  try {
    return call();
  } catch (const hy::Error& error) {
    return fail(HYPHENKIT_E_FAILED, error.what());
  } catch (const std::bad_alloc&) {
    return fail(HYPHENKIT_E_NO_MEMORY, "out of memory");
  } catch (const std::exception& error) {
    return fail(HYPHENKIT_E_FAILED, error.what());
  } catch (...) {
    return fail(HYPHENKIT_E_FAILED, "unknown failure");
  }
}

std::string_view viewOf(const char* bytes, std::size_t size) {
  return size == 0 ? std::string_view() : std::string_view(bytes, size);
}

int makeHyphenator(hy::Hyphenator value, hyphenkit_hyphenator** out) {
  *out = new hyphenkit_hyphenator{std::move(value)};
  return HYPHENKIT_OK;
}

// The UTF-8 form of a word, for naming it in a message.
std::string nameOf(const char* word, std::size_t size) {
  return std::string(viewOf(word, size));
}
template <class Unit>
std::string nameOf(const Unit* word, std::size_t size) {
  std::u32string characters;
  for (std::size_t at = 0, length = 0; at < size; at += length) {
    if constexpr (sizeof(Unit) == 2) {
      characters.push_back(hy::detail::decodeUtf16Character(word + at, size - at, length));
    } else {
      characters.push_back(word[at]);
      length = 1;
    }
  }
  return hy::detail::encodeUtf8Lossless(characters);
}

// The word as findBreaks reads it.
std::string_view wordOf(const char* word, std::size_t size) {
  return viewOf(word, size);
}
template <class Unit>
std::span<const Unit> wordOf(const Unit* word, std::size_t size) {
  return size == 0 ? std::span<const Unit>() : std::span<const Unit>(word, size);
}

// The breaks of a word in any of its forms, read where the caller has it, into the thread's
// buffers; a malformed score list fails as the C++ hyphenate does.
template <class Unit>
ptrdiff_t breaksOf(const hyphenkit_hyphenator* hyphenator, const Unit* word, std::size_t size,
                   std::size_t* breaks, std::size_t capacity) {
  if (!hyphenator || (!word && size > 0) || (!breaks && capacity > 0)) {
    return fail(HYPHENKIT_E_INVALID_ARGUMENT, "a null pointer with a size");
  }
  return guarded([&]() -> ptrdiff_t {
    thread_local std::vector<std::size_t> found;
    const hy::detail::HyphenatorState& state =
        hy::detail::HyphenatorAccess::state(hyphenator->value);
    if (!hy::detail::findBreaks(state, wordOf(word, size), hy::detail::minimumsOf(state), nullptr,
                                found)) {
      throw hy::detail::malformedScores(nameOf(word, size));
    }
    // A word has few breaks: a loop copies them faster than a call would.
    for (std::size_t k = 0; k < found.size() && k < capacity; ++k)
      breaks[k] = found[k];
    return static_cast<ptrdiff_t>(found.size());
  });
}

}  // namespace

extern "C" {

const char* hyphenkit_version(void) {
  return "0.1.0";
}

const char* hyphenkit_last_error(void) {
  return lastError().c_str();
}

size_t hyphenkit_language_count(void) {
  return hy::languageCount;
}

const char* hyphenkit_language_code(size_t language) {
  if (language >= hy::languageCount) return nullptr;
  return hy::languageAffix(hy::toEnum(static_cast<int>(language))).data();
}

const char* hyphenkit_language_name(size_t language) {
  if (language >= hy::languageCount) return nullptr;
  static const auto* const names = [] {
    auto* all = new std::vector<std::string>();
    for (const hy::Language each : hy::allLanguages())
      all->push_back(hy::show(each));
    return all;
  }();
  return (*names)[language].c_str();
}

int hyphenkit_language_from_tag(const char* tag, size_t* language) {
  if (!tag || !language) return fail(HYPHENKIT_E_INVALID_ARGUMENT, "a null pointer");
  return guarded([&]() -> int {
    const std::optional<hy::Language> found = hy::languageFromTag(tag);
    if (!found) {
      return fail(HYPHENKIT_E_UNKNOWN_LANGUAGE,
                  (std::string(hy::isLanguageTag(tag) ? "no patterns for the language '"
                                                      : "not a language tag: '") +
                   tag + "'")
                      .c_str());
    }
    *language = static_cast<std::size_t>(hy::fromEnum(*found));
    return HYPHENKIT_OK;
  });
}

int hyphenkit_hyphenator_language(size_t language, hyphenkit_hyphenator** out) {
  if (!out) return fail(HYPHENKIT_E_INVALID_ARGUMENT, "a null pointer");
  if (language >= hy::languageCount) {
    return fail(HYPHENKIT_E_UNKNOWN_LANGUAGE, "no language has that number");
  }
  return guarded([&]() -> int {
    return makeHyphenator(hy::languageHyphenator(hy::toEnum(static_cast<int>(language))), out);
  });
}

int hyphenkit_hyphenator_tag(const char* tag, hyphenkit_hyphenator** out) {
  if (!out) return fail(HYPHENKIT_E_INVALID_ARGUMENT, "a null pointer");
  std::size_t language = 0;
  const int found = hyphenkit_language_from_tag(tag, &language);
  return found == HYPHENKIT_OK ? hyphenkit_hyphenator_language(language, out) : found;
}

int hyphenkit_hyphenator_build(const char* patterns, size_t patterns_size, const char* exceptions,
                               size_t exceptions_size, const char* characters,
                               size_t characters_size, int64_t left_min, int64_t right_min,
                               hyphenkit_hyphenator** out) {
  if (!out || (!patterns && patterns_size > 0) || (!exceptions && exceptions_size > 0) ||
      (!characters && characters_size > 0)) {
    return fail(HYPHENKIT_E_INVALID_ARGUMENT, "a null pointer with a size");
  }
  return guarded([&]() -> int {
    using hy::detail::decodeUtf8;
    auto table = std::make_shared<const hy::detail::CharMap>(
        hy::detail::parseCharTable(decodeUtf8(viewOf(characters, characters_size))));
    hy::Hyphenator built([table](char32_t c) { return (*table)(c); },
                         hy::parsePatterns(decodeUtf8(viewOf(patterns, patterns_size))),
                         hy::parseExceptions(decodeUtf8(viewOf(exceptions, exceptions_size))),
                         left_min, right_min);
    return makeHyphenator(std::move(built), out);
  });
}

void hyphenkit_hyphenator_free(hyphenkit_hyphenator* hyphenator) {
  delete hyphenator;
}

ptrdiff_t hyphenkit_breaks_utf8(const hyphenkit_hyphenator* hyphenator, const char* word,
                                size_t size, size_t* breaks, size_t capacity) {
  return breaksOf(hyphenator, word, size, breaks, capacity);
}

ptrdiff_t hyphenkit_breaks_utf16(const hyphenkit_hyphenator* hyphenator, const uint16_t* word,
                                 size_t size, size_t* breaks, size_t capacity) {
  return breaksOf(hyphenator, word, size, breaks, capacity);
}

ptrdiff_t hyphenkit_breaks_utf32(const hyphenkit_hyphenator* hyphenator, const uint32_t* word,
                                 size_t size, size_t* breaks, size_t capacity) {
  return breaksOf(hyphenator, word, size, breaks, capacity);
}

void hyphenkit_text_options_init(hyphenkit_text_options* options) {
  if (!options) return;
  *options = hyphenkit_text_options{"-", 0, 0, 0, 1};
}

ptrdiff_t hyphenkit_hyphenate_text(const hyphenkit_hyphenator* hyphenator, const char* text,
                                   size_t size, const hyphenkit_text_options* options, char* out,
                                   size_t capacity) {
  if (!hyphenator || (!text && size > 0) || (!out && capacity > 0)) {
    return fail(HYPHENKIT_E_INVALID_ARGUMENT, "a null pointer with a size");
  }
  return guarded([&]() -> ptrdiff_t {
    hy::TextOptions text_options;
    if (options) {
      if (options->separator) text_options.separator = options->separator;
      text_options.minWordLength = options->min_word_length;
      if (options->left_min > 0) text_options.leftMin = options->left_min;
      if (options->right_min > 0) text_options.rightMin = options->right_min;
      text_options.skipNonProse = options->skip_non_prose != 0;
    }
    const std::string result =
        hy::hyphenateText(hyphenator->value, viewOf(text, size), text_options);
    std::copy_n(result.data(), std::min(result.size(), capacity), out);
    return static_cast<ptrdiff_t>(result.size());
  });
}

}  // extern "C"
