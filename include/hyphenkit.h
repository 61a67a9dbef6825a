/* hyphenkit's C interface: word breaks by the Knuth-Liang method with TeX's patterns of 73
 * languages, and hyphenated running text, for C programs and for every language that binds C
 * libraries (Python's ctypes and cffi, Rust, Go, Lua, Swift, Java's FFM...). C99, and valid C++.
 *
 *     hyphenkit_hyphenator* english;
 *     if (hyphenkit_hyphenator_tag("en-US", &english) != HYPHENKIT_OK) {
 *       fprintf(stderr, "%s\n", hyphenkit_last_error());
 *       return 1;
 *     }
 *     size_t breaks[16];
 *     ptrdiff_t count = hyphenkit_breaks_utf8(english, "hyphenation", 11, breaks, 16);
 *     // count == 2, breaks == {2, 6}: "hy-phen-ation"
 *     hyphenkit_hyphenator_free(english);
 *
 * Errors: a function that can fail returns a negative HYPHENKIT_E_ code (and the others their
 * result); hyphenkit_last_error() then gives a message. No C++ exception ever leaves a function of
 * this interface, running out of memory included. Every function is safe to call from any number
 * of threads at once, on the same hyphenator too; a hyphenator is immutable once made. */
#ifndef HYPHENKIT_H
#define HYPHENKIT_H

/* A C header, read by C++ too: C's headers and typedefs are what it must use. */
/* NOLINTBEGIN(modernize-deprecated-headers, modernize-use-using) */
#include <stddef.h>
#include <stdint.h>

#include "text/hyphenation/export.hpp"

#ifdef __cplusplus
extern "C" {
#endif

/* What a function that can fail returns. */
enum {
  HYPHENKIT_OK = 0,
  /* The library refused the request; hyphenkit_last_error() says why (a malformed score list,
   * for one). */
  HYPHENKIT_E_FAILED = -1,
  /* No language with patterns answers to the tag, or the number names no language. */
  HYPHENKIT_E_UNKNOWN_LANGUAGE = -2,
  /* A null pointer where the call needs one, or sizes that do not fit. */
  HYPHENKIT_E_INVALID_ARGUMENT = -3,
  /* Memory ran out. */
  HYPHENKIT_E_NO_MEMORY = -4
};

/* The library's version, "MAJOR.MINOR.PATCH". */
HYPHENKIT_API const char* hyphenkit_version(void);

/* The message of the last call on this thread that failed: valid until the next failing call on
 * the same thread; "" when none has failed. */
HYPHENKIT_API const char* hyphenkit_last_error(void);

/* --- Languages -------------------------------------------------------------------------------
 * A language is a number from 0 to hyphenkit_language_count() - 1, in the order of the C++
 * Language enumeration. */

/* How many languages there are: 73. */
HYPHENKIT_API size_t hyphenkit_language_count(void);
/* The language's file code, "en-us", "de-1996"; NULL for a number that names no language. */
HYPHENKIT_API const char* hyphenkit_language_code(size_t language);
/* The language's name, "English_US", "German_1996"; NULL for a number that names no language. */
HYPHENKIT_API const char* hyphenkit_language_name(size_t language);
/* Writes to *language the language a tag or locale name selects ("en-US", "de_CH.UTF-8", "pt",
 * "el-polyton", "English_GB"; letter case and "_" or "-" do not matter). Returns HYPHENKIT_OK, or
 * HYPHENKIT_E_UNKNOWN_LANGUAGE when none does (a tag of a language without patterns such as "zh"
 * included), or HYPHENKIT_E_INVALID_ARGUMENT for a null pointer. */
HYPHENKIT_API int hyphenkit_language_from_tag(const char* tag, size_t* language);

/* --- Hyphenators ------------------------------------------------------------------------------ */

/* A hyphenator: everything a language needs to hyphenate. Made by one of the functions below and
 * given back with hyphenkit_hyphenator_free. */
typedef struct hyphenkit_hyphenator hyphenkit_hyphenator;

/* Writes to *out the hyphenator of a language, compiled into the library: ready at once, its
 * data shared by every hyphenator of the language. Returns HYPHENKIT_OK or a negative code. */
HYPHENKIT_API int hyphenkit_hyphenator_language(size_t language, hyphenkit_hyphenator** out);
/* The same for the language a tag or locale name selects (see hyphenkit_language_from_tag). */
HYPHENKIT_API int hyphenkit_hyphenator_tag(const char* tag, hyphenkit_hyphenator** out);
/* Writes to *out a hyphenator made from texts of one's own, in UTF-8, each with its size in
 * bytes: patterns, one a line ("hy3ph", ".ach4"); exceptions, one word a line with a "-" at each
 * break ("as-so-ciate"), or none when null; a character table, one line a letter, its lower-case
 * form first and then the forms that stand for it ("aA", or none when null: characters are looked
 * up as they are); and the fewest characters before the first break and after the last. */
HYPHENKIT_API int hyphenkit_hyphenator_build(const char* patterns, size_t patterns_size,
                                             const char* exceptions, size_t exceptions_size,
                                             const char* characters, size_t characters_size,
                                             int64_t left_min, int64_t right_min,
                                             hyphenkit_hyphenator** out);
/* Gives back a hyphenator; null is allowed. */
HYPHENKIT_API void hyphenkit_hyphenator_free(hyphenkit_hyphenator* hyphenator);

/* --- Word breaks -------------------------------------------------------------------------------
 * Each writes to `breaks`, ascending, the offsets at which a hyphen may be set in one word: the
 * offset of the first unit of the character after each break, in the word's own units (bytes,
 * UTF-16 code units, code points). "hyphenation" in US English gives {2, 6}. It writes at most
 * `capacity` offsets and returns how many there are, which may be more (call again with room for
 * all); or a negative code. A byte of no well-formed UTF-8 sequence, or a surrogate without its
 * other half, counts as one character. Nothing is allocated once the language is built and the
 * thread has met its longest word. */
HYPHENKIT_API ptrdiff_t hyphenkit_breaks_utf8(const hyphenkit_hyphenator* hyphenator,
                                              const char* word, size_t size, size_t* breaks,
                                              size_t capacity);
HYPHENKIT_API ptrdiff_t hyphenkit_breaks_utf16(const hyphenkit_hyphenator* hyphenator,
                                               const uint16_t* word, size_t size, size_t* breaks,
                                               size_t capacity);
HYPHENKIT_API ptrdiff_t hyphenkit_breaks_utf32(const hyphenkit_hyphenator* hyphenator,
                                               const uint32_t* word, size_t size, size_t* breaks,
                                               size_t capacity);

/* --- Running text ------------------------------------------------------------------------------
 */

/* How running text is hyphenated; hyphenkit_text_options_init sets the defaults. */
typedef struct hyphenkit_text_options {
  /* UTF-8, NUL-terminated: what goes into every break. Default "-". */
  const char* separator;
  /* Words of fewer characters stay whole; 0 (the default): no limit. */
  size_t min_word_length;
  /* The fewest characters before the first break and after the last, in place of the
   * hyphenator's own; 0 (the default): the hyphenator's own. */
  int64_t left_min;
  int64_t right_min;
  /* Nonzero (the default): URLs, e-mail addresses, paths, identifiers, command-line options and
   * hashtags are copied unchanged. */
  int skip_non_prose;
} hyphenkit_text_options;

HYPHENKIT_API void hyphenkit_text_options_init(hyphenkit_text_options* options);

/* Hyphenates UTF-8 running text (see text/hyphenation/text.hpp for what a word is): writes the
 * text with the separator at every break of every word to `out`, at most `capacity` bytes and no
 * terminating NUL, and returns the size of the whole result, which may be more than `capacity`
 * (so a call with a null `out` and a capacity of 0 asks for the size); or a negative code.
 * `options` may be null for the defaults. */
HYPHENKIT_API ptrdiff_t hyphenkit_hyphenate_text(const hyphenkit_hyphenator* hyphenator,
                                                 const char* text, size_t size,
                                                 const hyphenkit_text_options* options, char* out,
                                                 size_t capacity);

#ifdef __cplusplus
}
#endif

/* NOLINTEND(modernize-deprecated-headers, modernize-use-using) */

#endif /* HYPHENKIT_H */
