/* Hyphenates through hyphenkit's C interface, as a C99 program; exits 1 on a wrong result. */
#include <hyphenkit.h>

#include <stdio.h>
#include <string.h>

static int checkBreaks(const char* tag, const char* word, const size_t* expected, size_t count) {
  hyphenkit_hyphenator* hyphenator = NULL;
  size_t breaks[32];
  ptrdiff_t found;
  size_t k;
  int ok;
  if (hyphenkit_hyphenator_tag(tag, &hyphenator) != HYPHENKIT_OK) {
    printf("WRONG: %s: %s\n", tag, hyphenkit_last_error());
    return 0;
  }
  found = hyphenkit_breaks_utf8(hyphenator, word, strlen(word), breaks, 32);
  ok = found == (ptrdiff_t)count;
  for (k = 0; ok && k < count; ++k)
    ok = breaks[k] == expected[k];
  printf("%s: %s in %s, %d breaks\n", ok ? "ok" : "WRONG", word, tag, (int)found);
  hyphenkit_hyphenator_free(hyphenator);
  return ok;
}

int main(void) {
  static const size_t english[] = {2, 6};
  static const size_t german[] = {3, 6, 10};
  hyphenkit_hyphenator* custom = NULL;
  hyphenkit_text_options options;
  char out[64];
  ptrdiff_t size;
  int ok = checkBreaks("en-US", "hyphenation", english, 2);
  ok = checkBreaks("de_DE.UTF-8", "Silbentrennung", german, 3) && ok;

  if (hyphenkit_hyphenator_build("a1b\n", 4, NULL, 0, "aA\nbB\n", 6, 1, 1, &custom) !=
      HYPHENKIT_OK) {
    printf("WRONG: %s\n", hyphenkit_last_error());
    return 1;
  }
  hyphenkit_text_options_init(&options);
  options.separator = "|";
  size = hyphenkit_hyphenate_text(custom, "AB ab", 5, &options, out, sizeof out);
  ok = size == 7 && memcmp(out, "A|B a|b", 7) == 0 && ok;
  printf("%s: running text through patterns of one's own\n", ok ? "ok" : "WRONG");
  hyphenkit_hyphenator_free(custom);

  ok = hyphenkit_hyphenator_tag("zh", &custom) == HYPHENKIT_E_UNKNOWN_LANGUAGE && ok;
  printf("%s: zh has no patterns (%s); hyphenkit %s, %d languages\n", ok ? "ok" : "WRONG",
         hyphenkit_last_error(), hyphenkit_version(), (int)hyphenkit_language_count());
  return ok ? 0 : 1;
}
