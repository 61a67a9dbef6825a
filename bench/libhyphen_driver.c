/* Hyphenates every word of a list with libhyphen, for comparison with hyphenkit's driver.
 *
 *   libhyphen_driver DICTIONARY WORDS LEFTMIN RIGHTMIN [PASSES]
 *
 * WORDS is UTF-8, one word a line; words are converted to the dictionary's encoding (its first
 * line: UTF-8 or ISO8859-1) before timing. Prints key=value lines: words, breaks, load_ms,
 * heap_bytes (live heap held after loading), words_per_second (best pass). The hyphenation loop
 * is the function hyphenate_all, for valgrind's --toggle-collect. */
#define _GNU_SOURCE
#include <hyphen.h>
#include <malloc.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

static int is_latin1_dictionary(const char* path) {
  char line[64] = "";
  FILE* f = fopen(path, "r");
  if (!f) return 0;
  if (!fgets(line, sizeof line, f)) line[0] = 0;
  fclose(f);
  return strncmp(line, "ISO8859-1", 9) == 0;
}

/* UTF-8 to ISO-8859-1 in place; characters beyond U+00FF become '?'. */
static void to_latin1(char* s) {
  unsigned char *in = (unsigned char*)s, *out = (unsigned char*)s;
  while (*in) {
    if (*in < 0x80) {
      *out++ = *in++;
    } else if ((*in & 0xE0) == 0xC0 && in[1]) {
      unsigned value = ((in[0] & 0x1F) << 6) | (in[1] & 0x3F);
      *out++ = value <= 0xFF ? (unsigned char)value : '?';
      in += 2;
    } else {
      *out++ = '?';
      ++in;
      while ((*in & 0xC0) == 0x80)
        ++in;
    }
  }
  *out = 0;
}

struct list {
  char** words;
  int* lengths;
  size_t count;
};

static struct list read_words(const char* path, int latin1) {
  struct list list = {0, 0, 0};
  size_t capacity = 0;
  char* line = NULL;
  size_t size = 0;
  ssize_t got;
  FILE* f = fopen(path, "r");
  if (!f) {
    perror(path);
    exit(1);
  }
  while ((got = getline(&line, &size, f)) > 0) {
    while (got > 0 && (line[got - 1] == '\n' || line[got - 1] == '\r'))
      line[--got] = 0;
    if (got == 0) continue;
    if (latin1) to_latin1(line);
    if (list.count == capacity) {
      capacity = capacity ? 2 * capacity : 1024;
      list.words = realloc(list.words, capacity * sizeof *list.words);
      list.lengths = realloc(list.lengths, capacity * sizeof *list.lengths);
    }
    list.words[list.count] = strdup(line);
    list.lengths[list.count] = (int)strlen(line);
    ++list.count;
  }
  free(line);
  fclose(f);
  return list;
}

/* Hyphenates every word once; returns the number of breaks found. */
__attribute__((noinline)) long hyphenate_all(HyphenDict* dict, const struct list* list,
                                             char* hyphens, int leftmin, int rightmin) {
  long breaks = 0;
  for (size_t i = 0; i < list->count; ++i) {
    char** rep = NULL;
    int *pos = NULL, *cut = NULL;
    int length = list->lengths[i];
    hnj_hyphen_hyphenate3(dict, list->words[i], length, hyphens, NULL, &rep, &pos, &cut, leftmin,
                          rightmin, leftmin, rightmin);
    if (rep) {
      for (int k = 0; k < length; ++k)
        free(rep[k]);
      free(rep);
      free(pos);
      free(cut);
    }
    for (int k = 0; k < length; ++k)
      breaks += hyphens[k] & 1;
  }
  return breaks;
}

int main(int argc, char** argv) {
  if (argc < 5) {
    fprintf(stderr, "usage: %s DICTIONARY WORDS LEFTMIN RIGHTMIN [PASSES]\n", argv[0]);
    return 2;
  }
  const char* dictionary = argv[1];
  int leftmin = atoi(argv[3]), rightmin = atoi(argv[4]);
  int passes = argc > 5 ? atoi(argv[5]) : 5;
  struct list list = read_words(argv[2], is_latin1_dictionary(dictionary));

  size_t longest = 0;
  for (size_t i = 0; i < list.count; ++i)
    if ((size_t)list.lengths[i] > longest) longest = list.lengths[i];
  char* hyphens = malloc(longest + 5);

  size_t heap_before = mallinfo2().uordblks;
  double start = now();
  HyphenDict* dict = hnj_hyphen_load(dictionary);
  double load = now() - start;
  if (!dict) {
    fprintf(stderr, "cannot load %s\n", dictionary);
    return 1;
  }
  size_t heap_after = mallinfo2().uordblks;

  double best = 1e30;
  long breaks = 0;
  for (int pass = 0; pass < passes; ++pass) {
    start = now();
    breaks = hyphenate_all(dict, &list, hyphens, leftmin, rightmin);
    double took = now() - start;
    if (took < best) best = took;
  }
  printf("words=%zu\nbreaks=%ld\nload_ms=%.3f\nheap_bytes=%zu\nwords_per_second=%.0f\n", list.count,
         breaks, load * 1e3, heap_after - heap_before, list.count / best);
  hnj_hyphen_free(dict);
  return 0;
}
